// The notification area's icon on the simulated network: what Tessaly tells the shell (a
// stand-in for Shell_NotifyIconA records it and answers yes), and the menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/tray_icon.h"
#include "common/late_binding.h"
#include "common/message_box.h"
#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "profiles/profile_catalog.h"
#include "win/support.h"

namespace {

struct ShellCall {
    DWORD message;
    UINT flags;
    std::string tip, info;
};
std::vector<ShellCall> shellCalls;
BOOL shellTakes = TRUE;  // FALSE: a shell that says no, as one still starting at logon

BOOL WINAPI recordShellCall(DWORD message, PNOTIFYICONDATAA data) {
    shellCalls.push_back({message, data->uFlags, data->uFlags & NIF_TIP ? data->szTip : "",
                          data->uFlags & NIF_INFO ? data->szInfo : ""});
    return shellTakes;
}

// The tip the shell was last told.
std::string shownTip() {
    for (auto call = shellCalls.rbegin(); call != shellCalls.rend(); ++call)
        if (call->flags & NIF_TIP) return call->tip;
    return "(none)";
}

class TrayIcon : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(1, seedSimulatedMachine());
        dir.enter();
        // Office: the seeded settings; Home: the LAN connection on DHCP, which the machine holds
        // when the test starts.
        ASSERT_EQ(1, runner.dumpSettings(".\\000.dmp"));
        ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 1, 0, 0, 0, 1, 0, 0}));
        ASSERT_EQ(1, runner.dumpSettings(".\\001.dmp"));
        writeWholeFile(dir.file("dumplist.ini"), "[000]\r\nname=Office\r\npath=.\\000.dmp\r\nsort=0\r\n"
                                                 "[001]\r\nname=R&D Home\r\npath=.\\001.dmp\r\nsort=0\r\n");
        catalog = new ProfileCatalog(".\\dumplist.ini");
        catalog->load();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.lpszClassName = "TrayIconTest";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "TrayIconTest", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        shellCalls.clear();
        shellTakes = TRUE;
        late::Shell_NotifyIconA.standIn = recordShellCall;
    }
    void TearDown() override {
        leaveNotificationArea(window);
        DestroyWindow(window);
        delete catalog;
        catalog = nullptr;
        endStandIns();
        seedSimulatedMachine();
    }
    // The timer's look at the network, until the tip is the one sought or 5 s went by.
    std::string tipWithin5Seconds(const std::string& sought) {
        for (DWORD waited = 0; shownTip() != sought && waited < 5000; waited += 100) {
            Sleep(100);
            onTrayTimer(window, kNetworkTimerId);
        }
        return shownTip();
    }
    // Each profile item's text, "[x] " where it is checked.
    std::string profileItems() {
        int count = -1;
        HMENU menu = buildTrayMenu(window, &count);
        std::string items;
        for (int i = 0; menu != nullptr && i < count; ++i) {
            char text[200] = "";
            GetMenuStringA(menu, 1000 + i, text, sizeof text, MF_BYCOMMAND);
            items += std::string(GetMenuState(menu, 1000 + i, MF_BYCOMMAND) & MF_CHECKED ? "[x] " : "") + text + "|";
        }
        if (menu != nullptr) DestroyMenu(menu);
        return items;
    }
    ScratchDir dir;
    CommandRunner runner;
    HWND window = nullptr;
};

// The tooltip and the menu's marks say which saved places hold, and follow a change that
// netsh makes outside the tool within the 5 seconds of a timer's looks.
TEST_F(TrayIcon, TheTooltipAndTheMarksFollowTheNetwork) {
    ASSERT_EQ(1, enterNotificationArea(window, 0));
    ASSERT_FALSE(shellCalls.empty());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shellCalls.front().message);
    EXPECT_EQ("Tessaly - 現在：R&&D Home", shownTip());
    EXPECT_EQ("Office|[x] R&&D Home|", profileItems());

    ASSERT_EQ(1, runner.execScript(".\\000.dmp"));
    EXPECT_EQ("Tessaly - 現在：Office", tipWithin5Seconds("Tessaly - 現在：Office"));
    EXPECT_EQ("[x] Office|R&&D Home|", profileItems());

    // A second profile of the same settings: both are named.
    writeWholeFile(dir.file("dumplist.ini"), readWholeFile(dir.file("dumplist.ini")) +
                                                 "[002]\r\nname=Office 2\r\npath=.\\000.dmp\r\nsort=0\r\n");
    catalog->load();
    refreshTrayTip(window);
    EXPECT_EQ("Tessaly - 現在：Office、Office 2", shownTip());

    ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 0, 0x0A000001, 0xFF000000, 0, 1, 0, 0}));
    EXPECT_EQ("Tessaly - 保存した設定と一致しません", tipWithin5Seconds("Tessaly - 保存した設定と一致しません"));
    EXPECT_EQ("Office|R&&D Home|Office 2|", profileItems());
}

// Explorer started again: the icon is added anew, with its tip. A success is told in a
// balloon while the window is hidden, in a box otherwise (quietSuccess declines). The
// icon goes when the window ends.
TEST_F(TrayIcon, TheIconComesBackAfterExplorerAndTellsSuccessInABalloon) {
    ASSERT_EQ(1, enterNotificationArea(window, 0));
    shellCalls.clear();
    onTaskbarCreated(window);
    ASSERT_EQ(1u, shellCalls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shellCalls[0].message);
    EXPECT_EQ("Tessaly - 現在：R&&D Home", shellCalls[0].tip);

    ASSERT_NE(nullptr, quietSuccess);
    showSuccess(window, "ネットワークの設定を適応しました。");
    ASSERT_EQ(2u, shellCalls.size());
    EXPECT_EQ(static_cast<UINT>(NIF_INFO), shellCalls[1].flags);
    EXPECT_EQ("ネットワークの設定を適応しました。", shellCalls[1].info);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    EXPECT_EQ(0, quietSuccess(window, "x")) << "the window is open: a box";

    leaveNotificationArea(window);
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), shellCalls.back().message);
    EXPECT_EQ(nullptr, quietSuccess);
    EXPECT_EQ(0, isResident());
}

// Without a shell that takes the icon, the user's own step is refused with the window left
// open; a start at logon waits for the shell (its first yes, to an add or to a change of an
// icon it took after all, ends the wait) and shows the window if the shell never takes it.
TEST_F(TrayIcon, NoIconNoHidingAndALateShellIsWaitedFor) {
    late::Shell_NotifyIconA.standIn = nullptr;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    EXPECT_EQ(0, enterNotificationArea(window, 0));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(0, isResident());

    late::Shell_NotifyIconA.standIn = recordShellCall;
    shellTakes = FALSE;
    EXPECT_EQ(1, enterNotificationArea(window, 1));
    EXPECT_FALSE(IsWindowVisible(window));
    onTrayTimer(window, kIconRetryTimerId);
    shellTakes = TRUE;
    shellCalls.clear();
    onTrayTimer(window, kIconRetryTimerId);
    ASSERT_EQ(1u, shellCalls.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), shellCalls[0].message);
    EXPECT_EQ("Tessaly - 現在：R&&D Home", shellCalls[0].tip);

    shellTakes = FALSE;  // Explorer again, and this time it never takes the icon
    onTaskbarCreated(window);
    for (int tick = 0; tick < 59; ++tick) onTrayTimer(window, kIconRetryTimerId);
    EXPECT_FALSE(IsWindowVisible(window));
    onTrayTimer(window, kIconRetryTimerId);
    EXPECT_TRUE(IsWindowVisible(window)) << "after two minutes of no";
    EXPECT_EQ(0, isResident());
}

}  // namespace
