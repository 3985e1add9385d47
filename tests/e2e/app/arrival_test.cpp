// Which network the notebook is plugged into, end to end on the simulated network: a
// profile saved at home is known there by its gateway's hardware address, told apart from
// a neighbour's router with the same address, offered on arrival by a resident Tessaly,
// and switched to without asking where the user marked it so.
#include "e2e/fixture.h"
#include "machine_seed.h"
#include "sim_registry.h"

namespace {

const char kSaveTitle[] = "ネットワークの設定を保存";
const char kSelectTitle[] = "ネットワークの設定を選択";
const char kSaved[] = "ネットワークの設定を保存しました。";
const std::string kHere = "このネットワークは「自宅」を保存したときと同じようです（ゲートウェイ 192.168.1.1 00-0D-0B-12-34-56）。";
const std::string kAway = "「自宅」の設定のままですが、自宅のネットワークではないようです。";
constexpr int kList = 100, kOk = 101, kPreview = 105, kNameEdit = 200, kAutoSwitchCheck = 209, kExitCommand = 503;
constexpr LPARAM kBalloonClicked = WM_USER + 5;

class Arrival : public ToolTest {
protected:
    // At home: of the seeded gateways only the home router answers, and quickly not at all
    // for the others.
    void SetUp() override {
        ToolTest::SetUp();
        SetEnvironmentVariableA("TESSALY_SIM_ARP_WAIT_MS", "100");
        for (const char* gateway : {"192.168.0.1", "10.0.0.1", "172.16.0.1"}) ASSERT_TRUE(silenceHost(gateway));
        ASSERT_TRUE(moveToPlace(kHomePlace));
    }
    // Saves the settings as "自宅" through the save dialog, switched to on arrival or not.
    void saveHome(bool automatic) {
        TessalyRun run;
        HWND dialog = startTask(run, "/S", kSaveTitle);
        ASSERT_NE(nullptr, dialog);
        EXPECT_FALSE(isChecked(dialog, kAutoSwitchCheck)) << "only where the user asks for it";
        if (automatic) click(dialog, kAutoSwitchCheck);
        typeText(dialog, kNameEdit, "自宅");
        pressButton(dialog, kOk);
        EXPECT_EQ(kSaved, answerBox(run, "確認"));
        expectEndsWithZero(run);
    }
    // The selection dialog's marks of the first profile and the first line of its preview.
    std::string marksAndFirstLine() {
        TessalyRun run;
        HWND dialog = startTask(run, "/L", kSelectTitle);
        if (dialog == nullptr) return "no dialog";
        const std::string preview = itemText(dialog, kPreview);
        const LRESULT marks = SendDlgItemMessageA(dialog, kList, LB_GETITEMDATA, 0, 0);
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        run.waitForExit(kWaitMs, nullptr);
        return std::to_string(marks) + " " + preview.substr(0, preview.find("\r\n"));
    }
    // The home settings no longer hold: the LAN connection is put on DHCP.
    void changeSettings() {
        ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 1, 0, 0, 0, 1, 0, 0}));
        DeleteFileA(log.c_str());
    }
    // A resident Tessaly, started at the neighbour's, then carried home.
    HWND residentArrivingHome(TessalyRun& resident) {
        EXPECT_TRUE(moveToPlace(kNeighbourPlace));
        if (!resident.start("/R", dir.path()) || !waitUntil(visibleTaskbar)) return nullptr;
        HWND window = FindWindowA("Tessaly", nullptr);
        Sleep(1500);  // a tick on the neighbour's network: nothing offered, nothing applied
        PostMessageA(window, WM_APP + 1, 0, kBalloonClicked);
        Sleep(500);
        EXPECT_EQ("", readWholeFile(log));
        EXPECT_TRUE(moveToPlace(kHomePlace));
        return window;
    }
    std::string switchLog() const { return readWholeFile(dir.file("tessaly.log")); }
};

// The profile's record is its network: marked "ここ" at home, told as somewhere else
// behind a router of the same address.
TEST_F(Arrival, AProfileIsMarkedOnItsNetworkAndToldWhenItHoldsElsewhere) {
    saveHome(false);
    // Each connection's gateway, the one that answered with its hardware address, and the
    // DHCP connections' servers and suffixes.
    EXPECT_NE(std::string::npos, readWholeFile(dir.file("dumplist.ini"))
                                     .find("\r\nnetwork=192.168.0.1,192.168.1.1 00-0D-0B-12-34-56,dhcp 192.168.1.1 "
                                           "home.example,10.0.0.1,172.16.0.1,dhcp 172.16.0.1 cafe.example\r\n"));
    EXPECT_EQ("3 " + kHere, marksAndFirstLine()) << "現在 and ここ";
    ASSERT_TRUE(moveToPlace(kNeighbourPlace));
    EXPECT_EQ("1 " + kAway, marksAndFirstLine()) << "現在 alone";
    ASSERT_TRUE(silenceHost("192.168.1.1"));
    EXPECT_EQ("1 " + kAway, marksAndFirstLine()) << "the gateway does not answer at all";
}

// Arriving home, a resident Tessaly offers the profile saved there; a click on the balloon
// applies it as the menu would.
TEST_F(Arrival, ArrivingAtTheNetworkOfAProfileOffersIt) {
    saveHome(false);
    changeSettings();
    TessalyRun resident;
    HWND window = residentArrivingHome(resident);
    ASSERT_NE(nullptr, window);
    Sleep(9000);  // the tick that looks at the ARP table (every 8 s) and sees the gateway's new hardware address
    EXPECT_EQ("", readWholeFile(log)) << "offered, not applied";
    PostMessageA(window, WM_APP + 1, 0, kBalloonClicked);
    EXPECT_TRUE(waitUntil([&] { return !readWholeFile(log).empty(); }));
    Sleep(500);
    EXPECT_EQ("netsh exec .\\000.dmp\r\n", readWholeFile(log));
    EXPECT_EQ("", switchLog()) << "the user's own apply";
    postCommand(window, kExitCommand);
    expectEndsWithZero(resident);
}

// Marked so, the profile is applied on arrival without asking, once: not again after its
// own apply changed the settings; both lines are in the log.
TEST_F(Arrival, AnAutomaticProfileIsAppliedOnceOnArrivalAndLogged) {
    saveHome(true);
    EXPECT_NE(std::string::npos, readWholeFile(dir.file("dumplist.ini")).find("autoswitch=1\r\n"));
    changeSettings();
    TessalyRun resident;
    HWND window = residentArrivingHome(resident);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(waitUntil([&] { return !readWholeFile(log).empty(); }, 20000));
    Sleep(5000);  // ticks after the apply, one of them looking at the ARP table: nothing more
    EXPECT_EQ("netsh exec .\\000.dmp\r\n", readWholeFile(log));
    const std::vector<std::string> lines = crlfLines(switchLog());
    ASSERT_EQ(2u, lines.size()) << switchLog();
    EXPECT_EQ(" 「自宅」 " + kHere + "自動で切り替えます。", lines[0].substr(19));
    EXPECT_EQ(" 「自宅」 ネットワークの設定を適応しました。", lines[1].substr(19));
    EXPECT_TRUE(lines[0][4] == '/' && lines[0][7] == '/' && lines[0][13] == ':') << "the date and time first: " << lines[0];
    postCommand(window, kExitCommand);
    expectEndsWithZero(resident);
}

// An automatic apply that did not take is told in a box, logged, and not tried again
// while the network stays the same.
TEST_F(Arrival, AnAutomaticApplyThatDidNotTakeIsNotRetried) {
    saveHome(true);
    changeSettings();
    SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", "1");
    TessalyRun resident;
    HWND window = residentArrivingHome(resident);
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(waitUntil([&] { return !resident.windows("#32770", "確認").empty(); }, 20000));
    EXPECT_NE(std::string::npos, answerBox(resident, "確認").find("適応できませんでした"));
    Sleep(5000);
    EXPECT_EQ("netsh exec .\\000.dmp\r\n", readWholeFile(log)) << "once";
    const std::vector<std::string> lines = crlfLines(switchLog());
    ASSERT_EQ(2u, lines.size()) << switchLog();
    EXPECT_NE(std::string::npos, lines[1].find(" 「自宅」 ネットワークの設定を適応できませんでした。")) << lines[1];
    postCommand(window, kExitCommand);
    expectEndsWithZero(resident);
}

}  // namespace
