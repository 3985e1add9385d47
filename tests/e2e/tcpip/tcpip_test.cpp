// The TCP/IP settings dialog and command 502 end to end on the simulated network.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/automation.h"
#include "e2e/expectations.h"
#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "sim_registry.h"
#include "win/scratch_dir.h"
#include "win/sim_values.h"

namespace {

const char kTitle[] = "インターネットプロトコル(TCP/IP)の設定";
constexpr int kOkButton = 101;
constexpr int kCancelButton = 102;
constexpr int kCombo = 403;
enum { kAddressAuto = 404, kAddressFixed, kAddress, kMask, kGateway, kDnsAuto, kDnsFixed, kPreferred, kAlternate };

// The four edit parts of an IP address control, left to right.
std::vector<HWND> ipParts(HWND dialog, int id) {
    std::vector<HWND> parts;
    EnumChildWindows(
        GetDlgItem(dialog, id),
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&parts));
    return parts;
}

// The address control's parts as "a.b.c.d" (blank parts empty).
std::string ipText(HWND dialog, int id) {
    const std::vector<HWND> parts = ipParts(dialog, id);
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) {
        // The parts' contents, not their window captions: ask the control itself.
        char part[16] = "";
        DWORD_PTR result = 0;
        SendMessageTimeoutA(parts[i], WM_GETTEXT, sizeof part, reinterpret_cast<LPARAM>(part), SMTO_NORMAL, kWaitMs,
                            &result);
        text += (i ? "." : "") + std::string(part);
    }
    return text;
}

void typeIp(HWND dialog, int id, const std::string& address) {
    size_t start = 0;
    for (HWND part : ipParts(dialog, id)) {
        const size_t dot = address.find('.', start);
        const std::string piece = address.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        DWORD_PTR result = 0;
        SendMessageTimeoutA(part, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(piece.c_str()), SMTO_NORMAL, kWaitMs, &result);
        start = dot == std::string::npos ? address.size() : dot + 1;
    }
}

bool enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }
bool checked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, SMTO_NORMAL, kWaitMs, &state);
    return state == BST_CHECKED;
}
// Clicks a radio button and waits until the dialog has handled it.
void click(HWND dialog, int id) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, kWaitMs, &result);
}
void chooseAdapter(HWND dialog, int index) {
    HWND combo = GetDlgItem(dialog, kCombo);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(combo, CB_SETCURSEL, index, 0, SMTO_NORMAL, kWaitMs, &result);
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(kCombo, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo),
                        SMTO_NORMAL, kWaitMs, &result);
}
// Moves the keyboard focus to a control, as tabbing into it does.
void focus(HWND dialog, int id) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE, SMTO_NORMAL,
                        kWaitMs, &result);
}

class TcpIp : public OnTheSimulatedNetwork {
protected:
    HWND start(TessalyRun& run, const char* tail = "/T") {
        if (!run.start(tail, dir.path())) return nullptr;
        return run.waitForDialog(kTitle);
    }
    // OK, then OK in the confirmation; returns the outcome box's text and closes it.
    std::string confirm(TessalyRun& run, HWND dialog) {
        pressButton(dialog, kOkButton);
        HWND question = run.waitForDialog("確認");
        if (question == nullptr) return "no confirmation";
        EXPECT_EQ("設定を変更します。\nよろしいですか？", messageBoxText(question));
        EXPECT_TRUE(hasButton(question, IDCANCEL));
        pressButton(question, IDOK);
        waitForWindowGone(question);
        HWND outcome = run.waitForDialog("確認");
        if (outcome == nullptr) return "no outcome: " + run.describeWindows();
        const std::string text = messageBoxText(outcome);
        pressButton(outcome, IDOK);
        waitForWindowGone(outcome);
        return text;
    }

};

TEST_F(TcpIp, FixedAddressIsAppliedThroughNetshAndShownAgainNextTime) {
    TessalyRun run;
    HWND dialog = start(run);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(2, SendDlgItemMessageA(dialog, kCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ(0, SendDlgItemMessageA(dialog, kCombo, CB_GETCURSEL, 0, 0));
    EXPECT_EQ("Intel(R) PRO/100 VE Network Connection", windowText(GetDlgItem(dialog, 421)));
    EXPECT_TRUE(checked(dialog, kAddressFixed));
    EXPECT_EQ("192.168.0.10", ipText(dialog, kAddress));
    EXPECT_EQ("255.255.255.0", ipText(dialog, kMask));
    EXPECT_EQ("192.168.0.1", ipText(dialog, kGateway));
    EXPECT_TRUE(checked(dialog, kDnsFixed));
    EXPECT_EQ("192.168.0.1", ipText(dialog, kPreferred));
    EXPECT_EQ("192.168.0.2", ipText(dialog, kAlternate));
    EXPECT_FALSE(enabled(dialog, kDnsAuto));

    typeIp(dialog, kAddress, "192.168.0.77");
    EXPECT_EQ("「ローカル エリア接続」の設定を切り替えました。\n (IP=192.168.0.77)", confirm(run, dialog));
    expectEndsWithZero(run);
    EXPECT_EQ((std::vector<std::string>{
                  "netsh interface ip set address name = \"ローカル エリア接続\" source = static addr = 192.168.0.77 mask = 255.255.255.0",
                  "netsh interface ip set address name = \"ローカル エリア接続\" gateway = 192.168.0.1 gwmetric = 1",
                  "netsh interface ip set wins name = \"ローカル エリア接続\" source = static addr = none",
                  "netsh interface ip set dns name = \"ローカル エリア接続\" source = static addr = 192.168.0.1",
                  "netsh interface ip add dns name = \"ローカル エリア接続\" addr = 192.168.0.2",
              }),
              logged());

    TessalyRun again;
    dialog = start(again);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("192.168.0.77", ipText(dialog, kAddress)) << "read back from the registry";
    pressButton(dialog, kCancelButton);
    expectEndsWithZero(again);
}

TEST_F(TcpIp, AutomaticAddressReportsZeroAndUnchangedValuesKeepTheirAddress) {
    {
        TessalyRun run;
        HWND dialog = start(run);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ("「ローカル エリア接続」の設定を切り替えました。\n (IP=192.168.0.10)", confirm(run, dialog));
        expectEndsWithZero(run);
    }
    TessalyRun run;
    HWND dialog = start(run);
    ASSERT_NE(nullptr, dialog);
    click(dialog, kAddressAuto);
    click(dialog, kDnsAuto);
    EXPECT_EQ("「ローカル エリア接続」の設定を切り替えました。\n (IP=0.0.0.0)", confirm(run, dialog));
    expectEndsWithZero(run);
    const std::vector<std::string> calls = logged();
    ASSERT_EQ(8u, calls.size());
    EXPECT_EQ("netsh interface ip set address name = \"ローカル エリア接続\" source = dhcp", calls[5]);
    EXPECT_EQ("netsh interface ip set dns name = \"ローカル エリア接続\" source = dhcp", calls[7]);
}

TEST_F(TcpIp, ControlsStartFromTheChosenAdapter) {
    // A fixed adapter without gateway and with one DNS server.
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, interfaceKeyPath(kLanInstanceId).c_str(), 0,
                                           KEY_ALL_ACCESS, &key));
    writeMultiText(key, "DefaultGateway", {});
    writeText(key, "NameServer", "192.168.0.1");
    RegCloseKey(key);

    TessalyRun run;
    HWND dialog = start(run);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("0.0.0.0", ipText(dialog, kGateway)) << "a gateway of 0 shows as 0.0.0.0";
    EXPECT_EQ("...", ipText(dialog, kAlternate)) << "a DNS server of 0 shows blank";
    for (int id : {kAddressAuto, kAddressFixed, kDnsFixed, kAddress, kMask, kGateway, kPreferred, kAlternate})
        EXPECT_TRUE(enabled(dialog, id)) << id;
    EXPECT_FALSE(enabled(dialog, kDnsAuto));

    chooseAdapter(dialog, 1);
    EXPECT_EQ("Intel(R) PRO/Wireless 2200BG Network Connection", windowText(GetDlgItem(dialog, 421)));
    EXPECT_TRUE(checked(dialog, kAddressAuto));
    EXPECT_FALSE(checked(dialog, kAddressFixed));
    EXPECT_TRUE(checked(dialog, kDnsAuto));
    for (int id : {kAddress, kMask, kGateway, kPreferred, kAlternate}) {
        EXPECT_EQ("...", ipText(dialog, id)) << id;
        EXPECT_FALSE(enabled(dialog, id)) << id;
    }
    for (int id : {kAddressAuto, kAddressFixed, kDnsAuto, kDnsFixed}) EXPECT_TRUE(enabled(dialog, id)) << id;
    pressButton(dialog, kCancelButton);
    expectEndsWithZero(run);
    EXPECT_TRUE(logged().empty());
}

TEST_F(TcpIp, RadioButtonsSetTheEnabledStates) {
    TessalyRun run;
    HWND dialog = start(run);
    ASSERT_NE(nullptr, dialog);
    chooseAdapter(dialog, 1);  // DHCP: fields blank and disabled

    click(dialog, kAddressFixed);
    EXPECT_TRUE(checked(dialog, kDnsFixed)) << "a fixed address comes with fixed DNS";
    EXPECT_FALSE(checked(dialog, kDnsAuto));
    EXPECT_FALSE(enabled(dialog, kDnsAuto));
    for (int id : {kAddress, kMask, kGateway, kPreferred, kAlternate}) EXPECT_TRUE(enabled(dialog, id)) << id;

    click(dialog, kAddressAuto);
    EXPECT_TRUE(checked(dialog, kDnsFixed)) << "410 stays checked";
    EXPECT_TRUE(enabled(dialog, kDnsAuto));
    EXPECT_TRUE(enabled(dialog, kPreferred));
    EXPECT_TRUE(enabled(dialog, kAlternate));
    EXPECT_FALSE(enabled(dialog, kAddress));

    click(dialog, kDnsAuto);
    for (int id : {kAddress, kMask, kGateway, kPreferred, kAlternate}) EXPECT_FALSE(enabled(dialog, id)) << id;
    click(dialog, kDnsFixed);
    EXPECT_TRUE(enabled(dialog, kPreferred));
    EXPECT_FALSE(enabled(dialog, kAddress)) << "410 leaves the address fields as they were";

    pressButton(dialog, kCancelButton);
    expectEndsWithZero(run);
}

TEST_F(TcpIp, FocusOnABlankMaskProposesAClassCMask) {
    TessalyRun run;
    HWND dialog = start(run);
    ASSERT_NE(nullptr, dialog);
    typeIp(dialog, kMask, "255.0.0.0");
    focus(dialog, kMask);
    EXPECT_EQ("255.0.0.0", ipText(dialog, kMask)) << "a non-zero mask stays";

    chooseAdapter(dialog, 1);
    click(dialog, kAddressFixed);
    EXPECT_EQ("...", ipText(dialog, kMask));
    focus(dialog, kAddress);
    focus(dialog, kMask);
    EXPECT_EQ("255.255.255.0", ipText(dialog, kMask));

    // Blank fields go out as 0; nothing is validated.
    EXPECT_EQ("「ワイヤレス ネットワーク接続」の設定を切り替えました。\n (IP=0.0.0.0)", confirm(run, dialog));
    expectEndsWithZero(run);
    EXPECT_EQ("netsh interface ip set address name = \"ワイヤレス ネットワーク接続\" source = static addr = 0.0.0.0 "
              "mask = 255.255.255.0",
              logged().front());
}

TEST_F(TcpIp, CancelEscAndTheCloseBoxChangeNothing) {
    TessalyRun run;
    HWND dialog = start(run);
    ASSERT_NE(nullptr, dialog);
    typeIp(dialog, kAddress, "10.9.8.7");
    pressButton(dialog, kOkButton);
    HWND question = run.waitForDialog("確認");
    ASSERT_NE(nullptr, question);
    pressButton(question, IDCANCEL);
    ASSERT_TRUE(waitForWindowGone(question));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ("10.9.8.7", ipText(dialog, kAddress)) << "the entries stay";

    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(dialog, WM_COMMAND, IDCANCEL, 0, SMTO_NORMAL, kWaitMs, &result));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Esc does not close the dialog";
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    expectEndsWithZero(run);
    EXPECT_TRUE(logged().empty());
}

TEST_F(TcpIp, NoConnectionOrAFailingNetshIsReported) {
    {
        SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", "1");
        TessalyRun run;
        HWND dialog = start(run);
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ("設定を適応できませんでした。", confirm(run, dialog));
        expectEndsWithZero(run);
        EXPECT_EQ(5u, logged().size());
        SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", nullptr);
    }
    DeleteFileA(log.c_str());
    deleteKeyTree(HKEY_LOCAL_MACHINE, kNetworkClassKey);
    TessalyRun run;
    HWND dialog = start(run);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(0, SendDlgItemMessageA(dialog, kCombo, CB_GETCOUNT, 0, 0));
    EXPECT_EQ("", windowText(GetDlgItem(dialog, 421)));
    EXPECT_EQ("設定を適応できませんでした。", confirm(run, dialog));
    expectEndsWithZero(run);
    EXPECT_FALSE(fileExists(log)) << "no command ran";
}

TEST_F(TcpIp, EachCommandReadsTheConnectionsAfresh) {
    TessalyRun run;
    ASSERT_TRUE(run.start("", dir.path()));
    HWND mainWindow = run.waitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    postCommand(mainWindow, 502);
    HWND dialog = run.waitForDialog(kTitle);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("192.168.0.10", ipText(dialog, kAddress));
    pressButton(dialog, kCancelButton);
    ASSERT_TRUE(waitForWindowGone(dialog));

    CommandRunner runner;
    const TcpIpRequest changed = {0, 0, 0x0A000005, 0xFF000000, 0, 1, 0, 0};
    ASSERT_EQ(1, runner.applyTcpIp(kLanName, changed));
    postCommand(mainWindow, 502);
    dialog = run.waitForDialog(kTitle);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("10.0.0.5", ipText(dialog, kAddress)) << "the table was released and read again";
    pressButton(dialog, kCancelButton);
    ASSERT_TRUE(waitForWindowGone(dialog));
    EXPECT_TRUE(run.isRunning()) << "the visible tool stays open";
    postCommand(mainWindow, 503);
    expectEndsWithZero(run);
}

TEST_F(TcpIp, DialogHasItsControls) {
    TessalyRun run;
    HWND dialog = start(run);
    ASSERT_NE(nullptr, dialog);
    const LONG radio = BS_AUTORADIOBUTTON;
    expectControls(dialog, {
        {400, "Button", "", BS_GROUPBOX, 0},
        {401, "Button", "", BS_GROUPBOX, 0},
        {402, "Button", "", BS_GROUPBOX, 0},
        {403, "ComboBox", nullptr, CBS_DROPDOWNLIST | WS_TABSTOP, CBS_SORT},
        {404, "Button", "IPアドレスを自動的に取得する", radio | WS_GROUP, 0},
        {405, "Button", "次のIPアドレスを使う", radio, WS_GROUP},
        {406, "SysIPAddress32", nullptr, WS_TABSTOP, 0},
        {407, "SysIPAddress32", nullptr, WS_TABSTOP, 0},
        {408, "SysIPAddress32", nullptr, WS_TABSTOP, 0},
        {409, "Button", "DNSサーバーのアドレスを自動的に取得する", radio | WS_GROUP, 0},
        {410, "Button", "次のDNSサーバーのアドレスを使う", radio, WS_GROUP},
        {411, "SysIPAddress32", nullptr, WS_TABSTOP, 0},
        {412, "SysIPAddress32", nullptr, WS_TABSTOP, 0},
        {101, "Button", "O K", BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {102, "Button", "Cancel", WS_TABSTOP, BS_DEFPUSHBUTTON},
        {415, "Static", " ネットワークデバイス", SS_NOTIFY, 0},
        {416, "Static", "IPアドレス", SS_NOTIFY, 0},
        {417, "Static", "サブネットマスク", SS_NOTIFY, 0},
        {418, "Static", "デフォルトゲートウェイ", SS_NOTIFY, 0},
        {419, "Static", "優先DNSサーバ", SS_NOTIFY, 0},
        {420, "Static", "代替DNSサーバ", SS_NOTIFY, 0},
    });
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & WS_MINIMIZEBOX);
    pressButton(dialog, kCancelButton);
    expectEndsWithZero(run);
}

}  // namespace
