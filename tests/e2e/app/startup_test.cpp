// Start-up end to end: first-run offer, launch modes, single instance, version gate.
#include "e2e/fixture.h"

namespace {

const char kOfferTitle[] = "ショートカット作成";
const char kTcpIpTitle[] = "インターネットプロトコル(TCP/IP)の設定";

class Startup : public ToolTest {
protected:
    std::string settings() const { return readWholeFile(dir.file("tessaly.ini")); }
    // The dialogs beside a 507 note, counted once the note shows: a box that start-up
    // put up was created before anything posted could be dispatched.
    int otherDialogs(TessalyRun& run, HWND mainWindow) {
        postCommand(mainWindow, 507);
        HWND note = run.waitForDialog("設定");
        if (note == nullptr) return -1;
        const int others = static_cast<int>(run.windows("#32770", nullptr).size()) - 1;
        pressButton(note, IDOK);
        waitForWindowGone(note);
        return others;
    }
};

TEST_F(Startup, OnlyAFirstRunMakesTheOfferAndAnyRunEndsItWithFirstTimeZero) {
    const struct {
        const char* settings;  // null: no file
        bool offers;
    } cases[] = {
        {nullptr, true},
        {"[Basic]\r\nFirstTime= 1x\r\n", true},
        {"[Basic]\r\nFirstTime=2\r\n", false},
        {"\x01\x02garbage\xFF without any section\r\n=\r\n[\r\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings != nullptr ? c.settings : "no settings file");
        DeleteFileA(dir.file("tessaly.ini").c_str());
        if (c.settings != nullptr) writeWholeFile(dir.file("tessaly.ini"), c.settings);
        TessalyRun run;
        ASSERT_TRUE(run.start("", dir.path()));
        if (c.offers) {
            EXPECT_EQ("[OK Cancel] ショートカットをデスクトップに作成します。", answerBox(run, kOfferTitle, IDCANCEL));
            EXPECT_EQ(c.settings != nullptr, fileExists(dir.file("tessaly.ini"))) << "nothing written at start-up";
        }
        HWND mainWindow = run.waitForMainWindow();
        ASSERT_NE(nullptr, mainWindow);
        EXPECT_EQ(0, otherDialogs(run, mainWindow));
        exitThroughMenu(run, mainWindow);
        if (c.settings == nullptr) {
            EXPECT_EQ("[Basic]\r\nFirstTime=0\r\n", settings());
        }
        EXPECT_EQ(0, static_cast<int>(GetPrivateProfileIntA("Basic", "FirstTime", 7, dir.file("tessaly.ini").c_str())));
    }
}

TEST_F(Startup, OnlyAnExactSwitchStartsAOneTaskModeWhichEndsWithItsTask) {
    // A copy of the tool in a folder with blanks, started through a quoted path.
    const std::string folder = dir.file("Program Files");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string copy = folder + "\\Tessaly Tool.exe";
    ASSERT_TRUE(CopyFileA(tessalyExePath().c_str(), copy.c_str(), FALSE));
    const struct {
        std::string commandLine;
        const char* task;  // the task's dialog; null: the visible tool
    } cases[] = {
        {"tessaly.exe /L", "ネットワークの設定を選択"},
        {"tessaly.exe /S", "ネットワークの設定を保存"},
        {"  \"" + copy + "\" \t/T", kTcpIpTitle},
        {"tessaly.exe /t", nullptr},
        {"tessaly.exe /L /S", nullptr},
        {"tessaly.exe \"/L\"", nullptr},
        {"tessaly.exe /L" + std::string(30000, 'x'), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine.substr(0, 40));
        DeleteFileA(dir.file("tessaly.ini").c_str());
        TessalyRun run;
        ASSERT_TRUE(run.startCommandLine(c.commandLine, c.task == kTcpIpTitle ? copy : tessalyExePath(), dir.path()));
        if (c.task == nullptr) {
            EXPECT_EQ("[OK Cancel] ショートカットをデスクトップに作成します。", answerBox(run, kOfferTitle, IDCANCEL));
            HWND mainWindow = run.waitForMainWindow();
            ASSERT_NE(nullptr, mainWindow) << run.describeWindows();
            exitThroughMenu(run, mainWindow);
            continue;
        }
        HWND dialog = run.waitForDialog(c.task);
        ASSERT_NE(nullptr, dialog) << run.describeWindows();
        EXPECT_EQ(1u, run.windows("#32770", nullptr).size()) << "no offer: " << run.describeWindows();
        pressButton(dialog, 102);
        expectEndsWithZero(run);
        EXPECT_EQ("[Basic]\r\nFirstTime=0\r\n", settings()) << "so the first visible start makes no offer";
    }
}

TEST_F(Startup, ASecondInstanceEndsAtOnceAndLeavesTheFirstAlone) {
    TessalyRun first;
    HWND dialog = startTask(first, "/T", kTcpIpTitle);
    ASSERT_NE(nullptr, dialog);
    ScratchDir otherDir;
    for (const char* tail : {"", "/L", "/S", "/T"}) {
        SCOPED_TRACE(tail);
        TessalyRun second;
        ASSERT_TRUE(second.start(tail, otherDir.path()));
        expectEndsWithZero(second);
        EXPECT_FALSE(fileExists(otherDir.file("tessaly.ini")));
    }
    EXPECT_TRUE(IsWindowVisible(dialog));
    pressButton(dialog, 102);
    expectEndsWithZero(first);
}

// Makes Wine report another Windows version to tessaly.exe for the guard's life.
class ReportedVersion {
public:
    explicit ReportedVersion(const char* version) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        RegSetValueExA(key_, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>(strlen(version) + 1));
    }
    ~ReportedVersion() {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
    }

private:
    static constexpr const char* kKey = "Software\\Wine\\AppDefaults\\tessaly.exe";
    HKEY key_ = nullptr;
};

TEST_F(Startup, TheVersionGateLetsOnlyWindows2000ToServer2003Run) {
    const struct {
        const char* version;
        bool runs;
    } cases[] = {{"win2k", true}, {"winxp", true}, {"win7", false}, {"nt40", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        ReportedVersion reported(c.version);
        DeleteFileA(dir.file("tessaly.ini").c_str());
        TessalyRun run;
        ASSERT_TRUE(run.start("/S", dir.path()));
        if (c.runs) {
            HWND dialog = run.waitForDialog("ネットワークの設定を保存");
            ASSERT_NE(nullptr, dialog) << run.describeWindows();
            pressButton(dialog, 102);
        } else {
            EXPECT_EQ("OSのバージョンが古いです。\nWindows2000/XPでのみ使用できます。", answerBox(run, "確認"));
        }
        expectEndsWithZero(run);
        EXPECT_EQ(c.runs, fileExists(dir.file("tessaly.ini"))) << "a refused start writes nothing";
    }
}

}  // namespace
