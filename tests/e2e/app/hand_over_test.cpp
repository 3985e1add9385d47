// A second start while Tessaly runs, end to end: it hands its request to the running one,
// or says why that one cannot take it; and the resident tool in the notification area.
#include "e2e/fixture.h"
#include "machine_seed.h"

namespace {

const char kApplied[] = "ネットワークの設定を適応しました。";
const char kBusy[] = "Tessaly は別の操作の途中です。終わってからもう一度実行してください。";
const char kSelectTitle[] = "ネットワークの設定を選択";
constexpr int kSelectCommand = 500, kExitCommand = 503;

class HandOver : public ToolTest {
protected:
    // "Office": the seeded settings, saved; then the LAN connection is put on DHCP, so an
    // apply of Office has something to change.
    void SetUp() override {
        ToolTest::SetUp();
        ASSERT_EQ(1, runner.dumpSettings(dir.file("000.dmp").c_str()));
        writeWholeFile(dir.file("dumplist.ini"), "[000]\r\nname=Office\r\npath=.\\000.dmp\r\nsort=0\r\n");
        seeded = readWholeFile(dir.file("000.dmp"));
        ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 1, 0, 0, 0, 1, 0, 0}));
        DeleteFileA(log.c_str());
    }
    // Starts a second Tessaly with the tail in the folder; returns its box's text (or
    // nothing when it shows none) and its exit code.
    std::string secondStart(const char* tail, const std::string& folder, DWORD* exitCode) {
        TessalyRun second;
        if (!second.start(tail, folder)) return "did not start";
        std::string told;
        *exitCode = 0xDEADBEEF;
        while (!second.waitForExit(100, exitCode)) {
            if (!second.windows("#32770", "確認").empty()) told = answerBox(second, "確認");
        }
        return told;
    }
    std::string seeded;
};

// "/L NAME" handed to the open window is applied there, as its own start would have, and
// that window shows the verdict; the second start ends with 0 at once.
TEST_F(HandOver, AProfileNameHandedToTheOpenWindowIsAppliedThere) {
    TessalyRun first;
    HWND mainWindow = startVisible(first);
    DWORD exitCode = 0;
    EXPECT_EQ("", secondStart("/L Office", dir.path(), &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(kApplied, answerBox(first, "確認"));
    EXPECT_EQ("netsh exec .\\000.dmp\r\n", readWholeFile(log));
    EXPECT_EQ(seeded, settingsNow());
    exitThroughMenu(first, mainWindow);
}

// A plain second start brings the running window back, minimised or not.
TEST_F(HandOver, APlainSecondStartRestoresAMinimisedWindow) {
    TessalyRun first;
    HWND mainWindow = startVisible(first);
    ShowWindow(mainWindow, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(mainWindow));
    DWORD exitCode = 0;
    EXPECT_EQ("", secondStart("", dir.path(), &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_FALSE(IsIconic(mainWindow));
    EXPECT_TRUE(IsWindowVisible(mainWindow));
    exitThroughMenu(first, mainWindow);
}

// While a dialog is open nothing is queued behind the user's back: a command is told by the
// second start, which ends as if its task had not run; the dialog stays as it is. A command
// from another folder is told with the folder the running one works in. Neither runs netsh.
TEST_F(HandOver, ACommandWhileBusyOrFromAnotherFolderIsToldAndNothingRuns) {
    TessalyRun first;
    HWND mainWindow = startVisible(first);
    ScratchDir otherDir;
    const std::string elsewhere = "Tessaly は別のフォルダ「" + dir.path() +
                                  "」で実行中です。\nこのフォルダの設定を使うには、実行中の Tessaly を終了してからもう一度実行してください。";
    struct Case {
        const char* tail;
        std::string told;
        DWORD exitCode;
    };
    for (const Case& c : {Case{"/L Office", elsewhere, 3}, Case{"/S", elsewhere, 1}}) {
        DWORD exitCode = 0;
        EXPECT_EQ(c.told, secondStart(c.tail, otherDir.path(), &exitCode)) << c.tail;
        EXPECT_EQ(c.exitCode, exitCode) << c.tail;
    }
    postCommand(mainWindow, kSelectCommand);
    HWND dialog = first.waitForDialog(kSelectTitle);
    ASSERT_NE(nullptr, dialog);
    for (const Case& c : {Case{"/L Office", kBusy, 3}, Case{"/T", kBusy, 1}, Case{"/L", kBusy, 1}, Case{"", "", 0}}) {
        DWORD exitCode = 0;
        EXPECT_EQ(c.told, secondStart(c.tail, dir.path(), &exitCode)) << c.tail;
        EXPECT_EQ(c.exitCode, exitCode) << c.tail;
        EXPECT_TRUE(IsWindowVisible(dialog) && first.windows("#32770", nullptr).size() == 1u) << first.describeWindows();
    }
    EXPECT_FALSE(fileExists(log)) << readWholeFile(log);
    pressButton(dialog, 102);
    ASSERT_TRUE(waitForWindowGone(dialog));
    exitThroughMenu(first, mainWindow);
}

// "/R" shows no window but an icon in the notification area; a handed "/L NAME" applies
// there (the verdict in a balloon, no box); a plain start opens the window, whose close box
// puts it back; 503 ends it with 0 and the icon goes.
TEST_F(HandOver, TheResidentToolTakesRequestsFromTheNotificationArea) {
    TessalyRun resident;
    ASSERT_TRUE(resident.start("/R", dir.path()));
    ASSERT_TRUE(waitUntil(visibleTaskbar)) << "an icon in the notification area";
    EXPECT_TRUE(resident.windows(nullptr, nullptr).empty()) << resident.describeWindows();

    DWORD exitCode = 0;
    EXPECT_EQ("", secondStart("/L Office", dir.path(), &exitCode));
    EXPECT_EQ(0u, exitCode);
    waitUntil([&] { return !readWholeFile(log).empty(); });
    Sleep(500);  // the read-back and the verdict
    EXPECT_EQ("netsh exec .\\000.dmp\r\n", readWholeFile(log));
    EXPECT_EQ(seeded, settingsNow());
    EXPECT_TRUE(resident.windows(nullptr, nullptr).empty()) << "a balloon, no box: " << resident.describeWindows();

    EXPECT_EQ("", secondStart("", dir.path(), &exitCode));
    HWND mainWindow = resident.waitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(mainWindow); }) && IsWindow(mainWindow)) << "hidden again";
    postCommand(mainWindow, kExitCommand);
    expectEndsWithZero(resident);
    EXPECT_TRUE(waitUntil([] { return visibleTaskbar() == nullptr; })) << "the icon went with it";
}

}  // namespace
