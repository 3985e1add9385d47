// The version box: its texts, how it closes, and the homepage line, whose clicks are
// recorded by a helper registered for the http protocol in the test prefix.
#include <gtest/gtest.h>

#include <string>

#include "e2e/automation.h"
#include "e2e/expectations.h"
#include "win/scratch_dir.h"

namespace {

constexpr char kHttpCommandKey[] = "Software\\Classes\\http\\shell\\open\\command";

// Points the http protocol at the recording helper for the guard's life.
class RecordedBrowser {
public:
    explicit RecordedBrowser(const std::string& log) {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kHttpCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        char old[1024] = "";
        DWORD size = sizeof old;
        hadOld_ = RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                  ERROR_SUCCESS;
        old_ = old;
        command_ = "\"" + windowsPathOf(RUNNER_CHILD) + "\" \"%1\"";
        RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command_.c_str()),
                       static_cast<DWORD>(command_.size() + 1));
        SetEnvironmentVariableA("TESSALY_CHILD_LOG", log.c_str());
    }
    ~RecordedBrowser() {
        if (hadOld_)
            RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.c_str()),
                           static_cast<DWORD>(old_.size() + 1));
        else
            RegDeleteValueA(key_, nullptr);
        RegCloseKey(key_);
        SetEnvironmentVariableA("TESSALY_CHILD_LOG", nullptr);
    }
    // True when the http protocol now starts the helper and nothing else.
    bool installed() const {
        char value[1024] = "";
        DWORD size = sizeof value;
        return RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) ==
                   ERROR_SUCCESS &&
               command_ == value;
    }

private:
    HKEY key_ = nullptr;
    bool hadOld_ = false;
    std::string old_;
    std::string command_;
};

int countOf(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// Waits until the log holds the address `expected` times (the browser starts apart).
int waitForOpenings(const std::string& log, int expected) {
    int count = 0;
    for (DWORD waited = 0; waited < kWaitMs; waited += 50) {
        count = countOf(readWholeFile(log), "http://tessaly.example/");
        if (count >= expected) break;
        Sleep(50);
    }
    return count;
}

class VersionDialog : public ::testing::Test {
protected:
    void SetUp() override { writeNotFirstRun(dir); }
    HWND open() {
        postCommand(mainWindow, 508);
        return run.waitForDialog("バージョン情報");
    }
    ScratchDir dir;
    TessalyRun run;
    HWND mainWindow = nullptr;
};

TEST_F(VersionDialog, ShowsTheProductAndClosesOnlyWithOkOrTheCloseBox) {
    ASSERT_TRUE(run.start("", dir.path()));
    mainWindow = run.waitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    HWND dialog = open();
    ASSERT_NE(nullptr, dialog);
    expectControls(dialog, {
        {300, "Static", "Tessaly Version 1.3", SS_NOTIFY, WS_TABSTOP},
        {301, "Static", "作成: Tessaly プロジェクト", SS_NOTIFY, WS_TABSTOP},
        {302, "Static", "Powered by netsh", SS_NOTIFY, WS_TABSTOP},
        {303, "Static", "http://tessaly.example/", SS_NOTIFY, WS_TABSTOP},
        {101, "Button", "OK", BS_DEFPUSHBUTTON, WS_TABSTOP},
    });
    const LONG style = GetWindowLongA(dialog, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
    RECT desktop, box;
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(dialog, &box);
    EXPECT_EQ((desktop.right - (box.right - box.left)) / 2, box.left);
    EXPECT_EQ((desktop.bottom - (box.bottom - box.top)) / 2, box.top);

    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(dialog, WM_COMMAND, IDCANCEL, 0, SMTO_NORMAL, kWaitMs, &result));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Esc does not close the box";
    pressButton(dialog, 101);
    ASSERT_TRUE(waitForWindowGone(dialog));

    dialog = open();
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(waitForWindowGone(dialog));
    EXPECT_TRUE(run.isRunning());
    exitThroughMenu(run, mainWindow);
}

TEST_F(VersionDialog, EachClickOnTheAddressOpensItAgain) {
    const std::string log = dir.file("browser.log");
    RecordedBrowser browser(log);
    ASSERT_TRUE(browser.installed()) << "no real browser may be started";
    ASSERT_TRUE(run.start("", dir.path()));
    mainWindow = run.waitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    HWND dialog = open();
    ASSERT_NE(nullptr, dialog);
    HWND address = GetDlgItem(dialog, 303);
    DWORD_PTR result = 0;
    for (int click = 1; click <= 2; ++click) {
        SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(303, STN_CLICKED), reinterpret_cast<LPARAM>(address),
                            SMTO_NORMAL, kWaitMs, &result);
        EXPECT_EQ(click, waitForOpenings(log, click));
    }
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(300, STN_CLICKED),
                        reinterpret_cast<LPARAM>(GetDlgItem(dialog, 300)), SMTO_NORMAL, kWaitMs, &result);
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the box stays open";
    pressButton(dialog, 101);
    ASSERT_TRUE(waitForWindowGone(dialog));
    EXPECT_EQ(2, countOf(readWholeFile(log), "http://tessaly.example/")) << "other texts open nothing";
    exitThroughMenu(run, mainWindow);
}

}  // namespace
