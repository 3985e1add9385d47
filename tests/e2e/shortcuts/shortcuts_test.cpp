// Desktop shortcuts end to end, checked with an independent reader of .lnk files
// (Debian's lnkinfo, run through the shell from inside Wine).
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/automation.h"
#include "e2e/expectations.h"
#include "win/scratch_dir.h"

namespace {

const char kQuestionTitle[] = "ショートカット作成";

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

// The Unix path Wine gives a Windows path.
std::string unixPathOf(const std::string& windowsPath) {
    typedef char*(CDECL * UnixName)(LPCWSTR);
    UnixName toUnix = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return "";
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* unix = toUnix(wide);
    const std::string result = unix != nullptr ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

// What lnkinfo reports about the link, one "name: value" per line. The link is read from
// a byte-identical copy with a plain name: the command line reaches the shell re-encoded.
std::string lnkinfo(const std::string& linkPath) {
    char output[64];
    char copy[64];
    std::snprintf(output, sizeof output, "/tmp/tessaly-lnkinfo-%lu.txt", GetCurrentProcessId());
    std::snprintf(copy, sizeof copy, "/tmp/tessaly-lnkinfo-%lu.lnk", GetCurrentProcessId());
    if (!CopyFileA(linkPath.c_str(), windowsPathOf(copy).c_str(), FALSE)) return "the link could not be copied";
    // Wine cannot wait for a Unix process: the report is written under another name and
    // moved into place when complete, and the test waits for it to appear.
    const std::string windowsOutput = windowsPathOf(output);
    DeleteFileA(windowsOutput.c_str());
    const std::string command = std::string("/bin/sh -c \"/usr/bin/lnkinfo ") + copy + " > " + output +
                                ".part 2>&1; mv " + output + ".part " + output + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<char> line(command.begin(), command.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return "lnkinfo did not start";
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (DWORD waited = 0; !fileExists(windowsOutput) && waited < kWaitMs; waited += 50) Sleep(50);
    const std::string report = readWholeFile(windowsOutput);
    DeleteFileA(windowsOutput.c_str());
    DeleteFileA(windowsPathOf(copy).c_str());
    return report;
}

// The value lnkinfo gives for a field, or "(none)".
std::string field(const std::string& report, const std::string& name) {
    const size_t at = report.find("\t" + name);
    if (at == std::string::npos) return "(none)";
    const size_t colon = report.find(": ", at);
    const size_t end = report.find('\n', colon);
    return report.substr(colon + 2, end - colon - 2);
}

class Shortcuts : public ::testing::Test {
protected:
    void SetUp() override {
        char path[MAX_PATH] = "";
        ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE));
        desktop = path;
        // The test prefix's desktop is a plain directory inside the prefix.
        const char* prefix = getenv("WINEPREFIX");
        ASSERT_NE(nullptr, prefix);
        ASSERT_EQ(0u, unixPathOf(desktop).find(prefix)) << unixPathOf(desktop);
        removeLinks();
    }
    void TearDown() override { removeLinks(); }
    void removeLinks() {
        for (const Shortcut& s : kShortcuts) {
            RemoveDirectoryA(link(s).c_str());
            DeleteFileA(link(s).c_str());
        }
    }
    std::string link(const Shortcut& s) const { return desktop + "\\" + s.file; }
    HWND startTool(TessalyRun& run, bool firstRun = false) {
        if (!firstRun) writeNotFirstRun(dir);
        if (!run.start("", dir.path())) return nullptr;
        return firstRun ? run.waitForWindow("Tessaly", nullptr) : run.waitForMainWindow();
    }
    // Answers the shortcut's question and waits until the command has finished.
    void answer(TessalyRun& run, HWND mainWindow, const Shortcut& s, int button) {
        HWND question = run.waitForDialog(kQuestionTitle);
        ASSERT_NE(nullptr, question) << run.describeWindows();
        EXPECT_EQ(s.question, messageBoxText(question));
        EXPECT_TRUE(hasButton(question, IDCANCEL));
        pressButton(question, button);
        ASSERT_TRUE(waitForWindowGone(question));
        // A 507 note shows once the command is over, since it is handled after it.
        postCommand(mainWindow, 507);
        HWND note = run.waitForDialog("設定");
        ASSERT_NE(nullptr, note) << run.describeWindows();
        pressButton(note, IDOK);
        ASSERT_TRUE(waitForWindowGone(note));
    }
    void expectLink(const Shortcut& s) {
        SCOPED_TRACE(s.file);
        ASSERT_TRUE(fileExists(link(s)));
        const std::string report = lnkinfo(link(s));
        const std::string exe = tessalyExePath();
        EXPECT_EQ(exe, field(report, "Local path")) << report;
        EXPECT_EQ(s.arguments, field(report, "Command line arguments")) << report;
        EXPECT_EQ(exe.substr(0, exe.rfind('\\') + 1), field(report, "Working directory")) << report;
        EXPECT_EQ("(none)", field(report, "Description")) << report;
        EXPECT_EQ("(none)", field(report, "Icon location")) << report;
    }

    ScratchDir dir;
    std::string desktop;
};

TEST_F(Shortcuts, EachCommandWritesItsShortcutAndReplacesAnOldOne) {
    writeWholeFile(link(kShortcuts[0]), "not a shortcut at all");
    TessalyRun run;
    HWND mainWindow = startTool(run);
    ASSERT_NE(nullptr, mainWindow);
    for (const Shortcut& s : kShortcuts) {
        postCommand(mainWindow, s.command);
        answer(run, mainWindow, s, IDOK);
        expectLink(s);
    }
    exitThroughMenu(run, mainWindow);
}

TEST_F(Shortcuts, CancelCreatesNothing) {
    TessalyRun run;
    HWND mainWindow = startTool(run);
    ASSERT_NE(nullptr, mainWindow);
    for (const Shortcut& s : kShortcuts) {
        postCommand(mainWindow, s.command);
        answer(run, mainWindow, s, IDCANCEL);
        EXPECT_FALSE(fileExists(link(s))) << s.file;
    }
    exitThroughMenu(run, mainWindow);
}

TEST_F(Shortcuts, FirstRunOfferCreatesTheFirstTwo) {
    TessalyRun run;
    HWND mainWindow = startTool(run, true);
    ASSERT_NE(nullptr, mainWindow);
    HWND offer = run.waitForDialog("ショートカット作成");
    ASSERT_NE(nullptr, offer);
    EXPECT_EQ("ショートカットをデスクトップに作成します。", messageBoxText(offer));
    pressButton(offer, IDOK);
    ASSERT_TRUE(waitForWindowGone(offer));
    answer(run, mainWindow, kShortcuts[0], IDOK);
    answer(run, mainWindow, kShortcuts[1], IDOK);
    expectLink(kShortcuts[0]);
    expectLink(kShortcuts[1]);
    EXPECT_FALSE(fileExists(link(kShortcuts[2])));
    exitThroughMenu(run, mainWindow);
}

TEST_F(Shortcuts, AShortcutThatCannotBeWrittenIsReported) {
    // A folder of the link's name stands where the file should go.
    ASSERT_TRUE(CreateDirectoryA(link(kShortcuts[2]).c_str(), nullptr));
    TessalyRun run;
    HWND mainWindow = startTool(run);
    ASSERT_NE(nullptr, mainWindow);
    postCommand(mainWindow, 506);
    HWND question = run.waitForDialog(kQuestionTitle);
    ASSERT_NE(nullptr, question);
    pressButton(question, IDOK);
    ASSERT_TRUE(waitForWindowGone(question));
    HWND failure = run.waitForDialog("確認");
    ASSERT_NE(nullptr, failure) << run.describeWindows();
    EXPECT_EQ("ショートカットを作成できませんでした。", messageBoxText(failure));
    pressButton(failure, IDOK);
    ASSERT_TRUE(waitForWindowGone(failure));
    exitThroughMenu(run, mainWindow);
}

}  // namespace
