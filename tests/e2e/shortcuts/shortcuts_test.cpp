// Desktop shortcuts end to end, read back with an independent reader of .lnk files
// (Debian's lnkinfo, run through the shell from inside Wine).
#include <shlobj.h>

#include "e2e/fixture.h"
#include "sim_registry.h"

namespace {

// Each menu command's shortcut: what the question names, the file and its arguments.
const struct { int command; const char *what, *file, *arguments; } kShortcuts[] = {
    {504, "ネットワーク設定の読込み専用", "ネットワーク設定読込み.lnk", "/L"},
    {505, "ネットワーク設定の保存専用", "ネットワーク設定保存.lnk", "/S"},
    {506, "インターネットプロトコル設定の専用", "インターネットプロトコル設定.lnk", "/T"},
};

// What lnkinfo reports of the link's target, arguments, working directory, description and
// icon, one per line, "-" for one it does not show. It reads a byte-identical copy with a
// plain name: a command line reaches the shell re-encoded. lnkinfo writes UTF-8, which iconv
// turns into the tool's code page. Wine cannot wait for a Unix process, so the report is
// moved into place when complete.
std::string linkFields(const std::string& link) {
    const std::string copy = "/tmp/tessaly-lnkinfo-" + std::to_string(GetCurrentProcessId());
    if (!CopyFileA(link.c_str(), windowsPathOf(copy + ".lnk").c_str(), FALSE)) return "no link";
    DeleteFileA(windowsPathOf(copy + ".txt").c_str());
    std::string command = "/bin/sh -c \"/usr/bin/lnkinfo " + copy + ".lnk | /usr/bin/iconv -f UTF-8 -t CP932 > " + copy +
                          ".part; mv " + copy + ".part " + copy + ".txt\"";
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
    for (const auto& s : kShortcuts) {
        SCOPED_TRACE(s.file);
        const std::string link = std::string(desktop) + "\\" + s.file;
        DeleteFileA(link.c_str());
        postCommand(mainWindow, s.command);
        EXPECT_EQ(std::string("[OK Cancel] ") + s.what + "ショートカットをデスクトップに作成します。\nよろしいですか？",
                  answerBox(run, "ショートカット作成", IDCANCEL));
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

// A profile's own shortcut, made for the selected profile, follows its rename and goes
// with its delete; a file of a profile's link name that this tool did not make stays.
TEST_F(Shortcuts, AProfilesShortcutFollowsItsRenameAndGoesWithItsDelete) {
    char desktop[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOP, FALSE));
    const std::string exe = tessalyExePath(), longest = std::string(97, 'n') + "/L";  // 99 bytes, as the save dialog takes
    const auto link = [&](const std::string& name) { return std::string(desktop) + "\\ネットワーク設定「" + name + "」.lnk"; };
    writeWholeFile(dir.file("dumplist.ini"), "[000]\r\nname=Office\r\npath=.\\000.dmp\r\n[001]\r\nname=Home\r\npath=.\\001.dmp\r\n");
    writeWholeFile(dir.file("001.dmp"), "pushd interface ip\r\nset address name=\"LAN\" source=dhcp\r\npopd\r\n");
    writeWholeFile(link("Office"), "not a shortcut at all");
    TessalyRun run;
    HWND dialog = startTask(run, "/L", "ネットワークの設定を選択");
    SendDlgItemMessageA(dialog, 100, WM_KEYDOWN, VK_DOWN, 0);  // the second profile
    pressButton(dialog, 107);
    EXPECT_EQ("[OK Cancel] ネットワーク設定「Home」のショートカットをデスクトップに作成します。\nよろしいですか？",
              answerBox(run, "ショートカット作成"));
    for (int i = 0; i < 100 && !fileExists(link("Home")); ++i) Sleep(20);
    const std::string folder = exe.substr(0, exe.rfind('\\') + 1);
    EXPECT_EQ(exe + "\n/L \"Home\"\n" + folder + "\nネットワーク設定「Home」を適用します\n" + exe + "\n", linkFields(link("Home")));
    PostMessageA(GetDlgItem(dialog, 100), WM_KEYDOWN, VK_F2, 0);  // the rename dialog is modal: do not wait
    HWND rename = run.waitForDialog("設定名称の変更");
    ASSERT_NE(nullptr, rename);
    EXPECT_EQ("Home", itemText(rename, 700));
    typeText(rename, 700, "");
    pressButton(rename, 101);
    EXPECT_EQ("設定名称が入力されていません。", answerBox(run, "確認"));
    typeText(rename, 700, longest + "cut");
    pressButton(rename, 101);
    EXPECT_TRUE(waitForWindowGone(rename));
    EXPECT_EQ((std::vector<std::string>{"Office", longest}), listItems(dialog, 100));
    EXPECT_EQ(1, SendDlgItemMessageA(dialog, 100, LB_GETCURSEL, 0, 0));
    EXPECT_EQ("適用すると変わる設定：\r\n「LAN」 この接続はありません\r\n\r\nLAN\r\n  IPアドレス： 自動 (DHCP)\r\n"
              "ブラウザのプロキシ： 保存されていません\r\n通常使うプリンタ： 保存されていません",
              itemText(dialog, 105));
    const std::string moved = link(std::string(97, 'n') + "_L");
    EXPECT_FALSE(fileExists(link("Home")));
    EXPECT_EQ(exe + "\n/L \"" + longest + "\"\n" + folder + "\nネットワーク設定「" + longest + "」を適用します\n" + exe + "\n",
              linkFields(moved));
    pressButton(dialog, 104);
    answerBox(run, "確認");
    EXPECT_EQ("ネットワークの設定を削除しました。", answerBox(run, "確認"));
    expectEndsWithZero(run);
    EXPECT_FALSE(fileExists(moved));
    EXPECT_EQ("[000]\r\nname=Office\r\npath=.\\000.dmp\r\n", readWholeFile(dir.file("dumplist.ini")));
    TessalyRun again;  // the last profile goes; the file of its link name is not this tool's
    pressButton(startTask(again, "/L", "ネットワークの設定を選択"), 104);
    answerBox(again, "確認");
    answerBox(again, "確認");
    expectEndsWithZero(again);
    EXPECT_EQ("not a shortcut at all", readWholeFile(link("Office")));
    DeleteFileA(link("Office").c_str());
}

// The menu item makes the Startup folder's shortcut with "/R", and once it is there removes
// it; a file of that name the tool did not make is replaced, a folder in its way is told.
TEST_F(Shortcuts, TheStartupShortcutIsMadeAndRemovedByItsMenuItem) {
    char startup[MAX_PATH] = "";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE));
    const std::string exe = tessalyExePath(), link = std::string(startup) + "\\Tessaly 常駐.lnk";
    writeWholeFile(link, "not a shortcut at all");
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    const auto itemDone = [&] {  // the command is over once a 507 note, handled after it, shows
        postCommand(mainWindow, 507);
        answerBox(run, "設定");
    };
    postCommand(mainWindow, 511);
    itemDone();
    EXPECT_EQ(exe + "\n/R\n" + exe.substr(0, exe.rfind('\\') + 1) + "\nTessaly を通知領域に常駐させます\n" + exe + "\n",
              linkFields(link));
    postCommand(mainWindow, 511);
    itemDone();
    EXPECT_FALSE(fileExists(link));
    CreateDirectoryA(link.c_str(), nullptr);
    postCommand(mainWindow, 511);
    EXPECT_EQ("スタートアップのショートカットを作成または削除できませんでした。", answerBox(run, "確認"));
    RemoveDirectoryA(link.c_str());
    exitThroughMenu(run, mainWindow);
}

TEST_F(Shortcuts, WithoutShell32TheToolStartsAndOnlyItsShortcutsAndAddressFail) {
    // Wine loads no shell32 into tessaly.exe while this key stands.
    HKEY overrides = createKey(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\tessaly.exe\\DllOverrides");
    writeText(overrides, "shell32", "");
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    postCommand(mainWindow, 504);
    answerBox(run, "ショートカット作成");
    EXPECT_EQ("ショートカットを作成できませんでした。", answerBox(run, "確認"));
    postCommand(mainWindow, 508);
    HWND box = run.waitForDialog("バージョン情報");
    pressButton(box, 303);  // a click on the address: STN_CLICKED is 0, as BN_CLICKED
    pressButton(box, 101);
    EXPECT_TRUE(waitForWindowGone(box)) << "the address opens nothing and the box stays usable";
    exitThroughMenu(run, mainWindow);
    RegDeleteValueA(overrides, "shell32");  // sim/install's iphlpapi override stays
    RegCloseKey(overrides);
}

}  // namespace
