// Desktop shortcuts end to end, read back with an independent reader of .lnk files
// (Debian's lnkinfo, run through the shell from inside Wine).
#include <shlobj.h>

#include "e2e/fixture.h"
#include "sim_registry.h"

namespace {

struct Shortcut {
    int command;
    const char* question;
    const char* file;
    const char* arguments;
};

const Shortcut kShortcuts[] = {
    {504, "ネットワーク設定の読込み専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "ネットワーク設定読込み.lnk", "/L"},
    {505, "ネットワーク設定の保存専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "ネットワーク設定保存.lnk", "/S"},
    {506, "インターネットプロトコル設定の専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "インターネットプロトコル設定.lnk", "/T"},
};

// What lnkinfo reports of the link's target, arguments, working directory, description and
// icon, one per line, "-" for one it does not show. It reads a byte-identical copy with a
// plain name: a command line reaches the shell re-encoded. Wine cannot wait for a Unix
// process, so the report is moved into place when complete.
std::string linkFields(const std::string& link) {
    const std::string copy = "/tmp/tessaly-lnkinfo-" + std::to_string(GetCurrentProcessId());
    if (!CopyFileA(link.c_str(), windowsPathOf(copy + ".lnk").c_str(), FALSE)) return "no link";
    DeleteFileA(windowsPathOf(copy + ".txt").c_str());
    std::string command =
        "/bin/sh -c \"/usr/bin/lnkinfo " + copy + ".lnk > " + copy + ".part; mv " + copy + ".part " + copy + ".txt\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return "lnkinfo did not start";
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (DWORD waited = 0; !fileExists(windowsPathOf(copy + ".txt")) && waited < kWaitMs; waited += 50) Sleep(50);
    const std::string report = readWholeFile(windowsPathOf(copy + ".txt"));
    std::string fields;
    for (const char* name : {"Local path", "Command line arguments", "Working directory", "Description", "Icon location"}) {
        const size_t at = report.find(std::string("\t") + name), colon = report.find(": ", at);
        fields += at == std::string::npos ? "-\n" : report.substr(colon + 2, report.find('\n', colon) - colon - 1);
    }
    return fields;
}

class Shortcuts : public ToolTest {};

TEST_F(Shortcuts, EachCommandAsksThenWritesItsShortcutOverAnOldFileAndTellsAFailure) {
    char desktop[MAX_PATH] = "";  // inside the test prefix (scripts/wine-env)
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOP, FALSE));
    const std::string exe = tessalyExePath();
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    for (const Shortcut& s : kShortcuts) {
        SCOPED_TRACE(s.file);
        const std::string link = std::string(desktop) + "\\" + s.file;
        DeleteFileA(link.c_str());
        postCommand(mainWindow, s.command);
        EXPECT_EQ(std::string("[OK Cancel] ") + s.question, answerBox(run, "ショートカット作成", IDCANCEL));
        // A folder of the link's name stands where the file should go.
        CreateDirectoryA(link.c_str(), nullptr);
        postCommand(mainWindow, s.command);
        answerBox(run, "ショートカット作成");
        EXPECT_EQ("ショートカットを作成できませんでした。", answerBox(run, "確認"));
        RemoveDirectoryA(link.c_str());
        writeWholeFile(link, "not a shortcut at all");
        // The command is over once a 507 note, handled after it, shows.
        postCommand(mainWindow, s.command);
        answerBox(run, "ショートカット作成");
        postCommand(mainWindow, 507);
        answerBox(run, "設定");
        EXPECT_EQ(exe + "\n" + s.arguments + "\n" + exe.substr(0, exe.rfind('\\') + 1) + "\n-\n-\n", linkFields(link));
        DeleteFileA(link.c_str());
    }
    exitThroughMenu(run, mainWindow);
}

TEST_F(Shortcuts, WithoutShell32TheToolStartsAndOnlyItsShortcutsAndAddressFail) {
    // Wine loads no shell32 into tessaly.exe while this key stands.
    const char* key = "Software\\Wine\\AppDefaults\\tessaly.exe\\DllOverrides";
    HKEY overrides;
    RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &overrides, nullptr);
    RegSetValueExA(overrides, "shell32", 0, REG_SZ, reinterpret_cast<const BYTE*>(""), 1);
    RegCloseKey(overrides);
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    postCommand(mainWindow, 504);
    answerBox(run, "ショートカット作成");
    EXPECT_EQ("ショートカットを作成できませんでした。", answerBox(run, "確認"));
    postCommand(mainWindow, 508);
    HWND box = run.waitForDialog("バージョン情報");
    SendMessageTimeoutA(box, WM_COMMAND, MAKEWPARAM(303, STN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, 303)),
                        SMTO_NORMAL, kWaitMs, nullptr);
    pressButton(box, 101);
    EXPECT_TRUE(waitForWindowGone(box)) << "the address opens nothing and the box stays usable";
    exitThroughMenu(run, mainWindow);
    deleteKeyTree(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\tessaly.exe");
}

}  // namespace
