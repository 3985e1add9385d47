// Start-up end to end: first-run offer, launch modes, single instance, version gate.
#include "e2e/fixture.h"

namespace {

const char kOffer[] = "[OK Cancel] ショートカットをデスクトップに作成します。";
const char kTcpIpTitle[] = "インターネットプロトコル(TCP/IP)の設定";

class Startup : public ToolTest {
protected:
    std::string settings() const { return readWholeFile(dir.file("tessaly.ini")); }
};

TEST_F(Startup, OnlyAFirstRunMakesTheOfferAndEveryRunEndsWithFirstTimeZero) {
    for (const char* settingsFile : {"", "[Basic]\r\nFirstTime=2\r\n"}) {
        SCOPED_TRACE(settingsFile);
        DeleteFileA(dir.file("tessaly.ini").c_str());
        if (*settingsFile) writeWholeFile(dir.file("tessaly.ini"), settingsFile);
        TessalyRun run;
        ASSERT_TRUE(run.start("", dir.path()));
        if (!*settingsFile) {  // OK asks for the select and the save shortcut in turn
            EXPECT_EQ(kOffer, answerBox(run, "ショートカット作成"));
            EXPECT_NE(std::string::npos, answerBox(run, "ショートカット作成", IDCANCEL).find("読込み専用ショートカット"));
            EXPECT_NE(std::string::npos, answerBox(run, "ショートカット作成", IDCANCEL).find("保存専用ショートカット"));
            EXPECT_FALSE(fileExists(dir.file("tessaly.ini"))) << "nothing is written at start-up";
        }
        HWND mainWindow = run.waitForMainWindow();
        // The 507 note shows after whatever start-up put up; nothing may stand beside it, and
        // unknown commands do nothing.
        for (int id : {0, 1, 101, 499, 509, 0xFFFF, 507}) postCommand(mainWindow, id);
        ASSERT_NE(nullptr, run.waitForDialog("設定"));
        EXPECT_EQ(1u, run.windows("#32770", nullptr).size()) << run.describeWindows();
        EXPECT_EQ("実装する事無いです。", answerBox(run, "設定"));
        exitThroughMenu(run, mainWindow);
        EXPECT_EQ("[Basic]\r\nFirstTime=0\r\n", settings());
    }
}

// A one-task start closed without its task done ends with 1. (A second start meanwhile:
// HandOver.)
TEST_F(Startup, OnlyAnExactSwitchStartsAOneTaskModeWhichTheCloseBoxButNotEscEnds) {
    // A copy of the tool in a folder with blanks, started through a quoted path.
    ASSERT_TRUE(CreateDirectoryA(dir.file("Program Files").c_str(), nullptr));
    const std::string copy = dir.file("Program Files\\Tessaly Tool.exe");
    ASSERT_TRUE(CopyFileA(tessalyExePath().c_str(), copy.c_str(), FALSE));
    const struct {
        std::string commandLine;
        const char* task;  // the task's dialog; null: the visible tool
    } cases[] = {
        {"tessaly.exe /L", "ネットワークの設定を選択"},
        {"tessaly.exe /S", "ネットワークの設定を保存"},
        {"  \"" + copy + "\" \t/T", kTcpIpTitle},
        {"tessaly.exe /L /S", nullptr},  // the other tails of the visible tool: LaunchMode.TailAndMode…
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        DeleteFileA(dir.file("tessaly.ini").c_str());
        TessalyRun run;
        ASSERT_TRUE(run.startCommandLine(c.commandLine, c.task == kTcpIpTitle ? copy : tessalyExePath(), dir.path()));
        if (c.task == nullptr) {
            EXPECT_EQ(kOffer, answerBox(run, "ショートカット作成", IDCANCEL));
            exitThroughMenu(run, run.waitForMainWindow());
            continue;
        }
        HWND dialog = run.waitForDialog(c.task);
        EXPECT_EQ(1u, run.windows("#32770", nullptr).size()) << "no offer: " << run.describeWindows();
        sendCommand(dialog, IDCANCEL);
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Esc does not close the dialog";
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        expectEndsWith(run, 1);  // an outcome box would keep the process alive
        EXPECT_EQ("[Basic]\r\nFirstTime=0\r\n", settings()) << "so the first visible start makes no offer";
        EXPECT_FALSE(fileExists(dir.file("dumplist.ini")) || fileExists(log)) << "nothing saved, no netsh run";
    }
}

TEST_F(Startup, TheVersionGateRefusesOtherWindowsAndWritesNothing) {
    const char* key = "Software\\Wine\\AppDefaults\\tessaly.exe";
    for (const char* version : {"win7", "nt40", "win98"}) {
        SCOPED_TRACE(version);
        // Wine reports this version to tessaly.exe alone.
        HKEY appDefaults;
        RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &appDefaults, nullptr);
        RegSetValueExA(appDefaults, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version), strlen(version) + 1);
        DeleteFileA(dir.file("tessaly.ini").c_str());
        TessalyRun run;
        ASSERT_TRUE(run.start("/S", dir.path()));
        EXPECT_EQ("OSのバージョンが古いです。\nWindows2000/XPでのみ使用できます。", answerBox(run, "確認"));
        expectEndsWith(run, 1);  // the save did not run
        EXPECT_FALSE(fileExists(dir.file("tessaly.ini")));
        // The value alone: the key also holds sim/install's DllOverrides.
        RegDeleteValueA(appDefaults, "Version");
        RegCloseKey(appDefaults);
    }
}

}  // namespace
