// Start-up end to end: single instance, first-run offer, launch modes, version gate.
#include <gtest/gtest.h>

#include <string>

#include "e2e/automation.h"
#include "e2e/expectations.h"
#include "win/scratch_dir.h"

namespace {

const char kOfferTitle[] = "ショートカット作成";
const char kOfferText[] = "ショートカットをデスクトップに作成します。";

std::string settingsFile(const ScratchDir& dir) { return dir.file("tessaly.ini"); }

int firstTimeValue(const ScratchDir& dir) {
    return static_cast<int>(
        GetPrivateProfileIntA("Basic", "FirstTime", -12345, settingsFile(dir).c_str()));
}

void writeFirstTime(const ScratchDir& dir, const char* value) {
    writeWholeFile(settingsFile(dir), std::string("[Basic]\r\nFirstTime=") + value + "\r\n");
}


// Counts the dialogs the process shows once a posted 507 has been handled: an offer
// box, if one is up, was created before anything posted could be dispatched.
int dialogsBesideTheSettingsNote(TessalyRun& run, HWND mainWindow) {
    postCommand(mainWindow, 507);
    HWND note = run.waitForDialog("設定");
    if (note == nullptr) return -1;
    int dialogs = 0;
    for (HWND window : run.visibleWindows()) {
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        if (std::string(className) == "#32770" && window != note) ++dialogs;
    }
    pressButton(note, IDOK);
    waitForWindowGone(note);
    return dialogs;
}

TEST(Startup, FirstRunOfferHasItsTextAndAnyAnswerWritesFirstTimeZero) {
    const int answers[] = {IDOK, IDCANCEL};
    for (int answer : answers) {
        SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
        ScratchDir dir;
        {
            TessalyRun run;
            ASSERT_TRUE(run.start("", dir.path()));
            HWND offer = run.waitForDialog(kOfferTitle);
            ASSERT_NE(nullptr, offer);
            EXPECT_EQ(kOfferText, messageBoxText(offer));
            EXPECT_TRUE(hasButton(offer, IDOK));
            EXPECT_TRUE(hasButton(offer, IDCANCEL));
            EXPECT_FALSE(fileExists(settingsFile(dir))) << "nothing is written at start-up";
            pressButton(offer, answer);
            ASSERT_TRUE(waitForWindowGone(offer));
            HWND mainWindow = run.waitForMainWindow();
            ASSERT_NE(nullptr, mainWindow);
            exitThroughMenu(run, mainWindow);
        }
        EXPECT_EQ(0, firstTimeValue(dir));
        EXPECT_EQ("[Basic]\r\nFirstTime=0\r\n", readWholeFile(settingsFile(dir)));

        TessalyRun again;
        ASSERT_TRUE(again.start("", dir.path()));
        HWND mainWindow = again.waitForMainWindow();
        ASSERT_NE(nullptr, mainWindow);
        EXPECT_EQ(0, dialogsBesideTheSettingsNote(again, mainWindow)) << "the offer is made once";
        exitThroughMenu(again, mainWindow);
    }
}

TEST(Startup, OnlyTheValueOneMakesTheOffer) {
    const struct {
        const char* content;
        int offers;
    } cases[] = {
        {"[Basic]\r\nFirstTime=1\r\n", 1},
        {"[Basic]\r\nFirstTime= 1x\r\n", 1},
        {"[Basic]\r\nFirstTime=2\r\n", 0},
        {"[Basic]\r\nFirstTime=\r\n", 0},
        {"[Basic]\r\nFirstTime=abc\r\n", 0},
        {"[Basic]\r\nFirstTime=99999999999999999999\r\n", 0},
        {"[Basic]\r\nFirstTime=4294967297\r\n", 0},
        {"[Other]\r\nFirstTime=0\r\n", 1},
        {"\x01\x02garbage\xFF\xFE without any section\r\n=\r\n[\r\n", 1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        ScratchDir dir;
        writeWholeFile(settingsFile(dir), cases[i].content);
        TessalyRun run;
        ASSERT_TRUE(run.start("", dir.path()));
        HWND mainWindow = run.waitForMainWindow();
        ASSERT_NE(nullptr, mainWindow);
        if (cases[i].offers) {
            HWND offer = run.waitForDialog(kOfferTitle);
            ASSERT_NE(nullptr, offer);
            pressButton(offer, IDCANCEL);
            ASSERT_TRUE(waitForWindowGone(offer));
        }
        EXPECT_EQ(0, dialogsBesideTheSettingsNote(run, mainWindow));
        exitThroughMenu(run, mainWindow);
        EXPECT_EQ(0, firstTimeValue(dir));
    }
}

TEST(Startup, SecondInstanceEndsAtOnceWhileTheFirstShowsAModalBox) {
    ScratchDir firstDir;
    ScratchDir secondDir;
    TessalyRun first;
    ASSERT_TRUE(first.start("", firstDir.path()));
    HWND offer = first.waitForDialog(kOfferTitle);
    ASSERT_NE(nullptr, offer);

    const char* tails[] = {"", "/L", "/S", "/T"};
    for (const char* tail : tails) {
        SCOPED_TRACE(tail);
        TessalyRun second;
        ASSERT_TRUE(second.start(tail, secondDir.path()));
        DWORD code = 0xDEADBEEF;
        ASSERT_TRUE(second.waitForExit(kWaitMs, &code));
        EXPECT_EQ(0u, code);
        EXPECT_FALSE(fileExists(settingsFile(secondDir)));
    }
    EXPECT_TRUE(IsWindowVisible(offer)) << "the running instance is left alone";

    pressButton(offer, IDCANCEL);
    HWND mainWindow = first.waitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    exitThroughMenu(first, mainWindow);
}

TEST(Startup, OneTaskModesRunTheirCommandAndEndWithoutAnOffer) {
    const struct {
        const char* tail;
        const char* dialog;  // the task's dialog
    } modes[] = {{"/L", "ネットワークの設定を選択"},
                 {"/S", "ネットワークの設定を保存"},
                 {"/T", "インターネットプロトコル(TCP/IP)の設定"}};
    for (const auto& mode : modes) {
        SCOPED_TRACE(mode.tail);
        ScratchDir dir;
        TessalyRun run;
        ASSERT_TRUE(run.start(mode.tail, dir.path()));
        HWND dialog = run.waitForDialog(mode.dialog);
        ASSERT_NE(nullptr, dialog) << run.describeWindows();
        EXPECT_EQ(nullptr, run.waitForDialog(kOfferTitle, 0));
        pressButton(dialog, 102);
        // An offer box would wait for an answer and keep the process alive.
        DWORD code = 0xDEADBEEF;
        ASSERT_TRUE(run.waitForExit(kWaitMs, &code));
        EXPECT_EQ(0u, code);
        EXPECT_EQ(0, firstTimeValue(dir)) << "so the first visible start makes no offer";
    }
}

TEST(Startup, OnlyAnExactSwitchSelectsAOneTaskMode) {
    const char* tails[] = {"/l", "/s", "/t", "/L ", "/L /S", "/X", "-L", "\"/L\""};
    for (const char* tail : tails) {
        SCOPED_TRACE(tail);
        ScratchDir dir;
        writeFirstTime(dir, "0");
        TessalyRun run;
        ASSERT_TRUE(run.start(tail, dir.path()));
        HWND mainWindow = run.waitForMainWindow();
        ASSERT_NE(nullptr, mainWindow) << "the visible tool starts";
        exitThroughMenu(run, mainWindow);
    }
}

TEST(Startup, QuotedProgramPathWithBlanksStillYieldsTheSwitch) {
    ScratchDir dir;
    const std::string folder = dir.file("Program Files");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string exe = folder + "\\Tessaly Tool.exe";
    ASSERT_TRUE(CopyFileA(tessalyExePath().c_str(), exe.c_str(), FALSE));

    TessalyRun run;
    ASSERT_TRUE(run.startCommandLine("  \"" + exe + "\" \t/T", exe, dir.path()));
    HWND dialog = run.waitForDialog("インターネットプロトコル(TCP/IP)の設定");
    ASSERT_NE(nullptr, dialog) << "the TCP/IP one-task mode";
    pressButton(dialog, 102);
    DWORD code = 0xDEADBEEF;
    ASSERT_TRUE(run.waitForExit(kWaitMs, &code)) << "the one-task mode ends with its task";
    EXPECT_EQ(0u, code);
    EXPECT_EQ(0, firstTimeValue(dir));
}

TEST(Startup, VeryLongCommandLineStartsTheVisibleTool) {
    ScratchDir dir;
    writeFirstTime(dir, "0");
    TessalyRun run;
    ASSERT_TRUE(run.start("/L" + std::string(30000, 'x'), dir.path()));
    HWND mainWindow = run.waitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    exitThroughMenu(run, mainWindow);
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

TEST(Startup, VersionGateRefusesNewerWindowsAndWritesNothing) {
    const char* versions[] = {"win7", "vista", "win98", "nt40"};
    for (const char* version : versions) {
        SCOPED_TRACE(version);
        ReportedVersion reported(version);
        ScratchDir dir;
        TessalyRun run;
        ASSERT_TRUE(run.start("", dir.path()));
        HWND box = run.waitForDialog("確認");
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("OSのバージョンが古いです。\nWindows2000/XPでのみ使用できます。", messageBoxText(box));
        EXPECT_TRUE(hasButton(box, IDOK));
        EXPECT_FALSE(hasButton(box, IDCANCEL));
        pressButton(box, IDOK);
        DWORD code = 0xDEADBEEF;
        ASSERT_TRUE(run.waitForExit(kWaitMs, &code));
        EXPECT_EQ(0u, code);
        EXPECT_FALSE(fileExists(settingsFile(dir)));
    }
}

TEST(Startup, Windows2000PassesTheVersionGate) {
    ReportedVersion reported("win2k");
    ScratchDir dir;
    writeFirstTime(dir, "0");
    TessalyRun run;
    ASSERT_TRUE(run.start("", dir.path()));
    HWND mainWindow = run.waitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    exitThroughMenu(run, mainWindow);
}

}  // namespace
