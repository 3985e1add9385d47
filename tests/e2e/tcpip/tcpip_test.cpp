// The TCP/IP settings dialog and command 502 end to end on the simulated network.
#include "e2e/fixture.h"
#include "machine_seed.h"
#include "sim_registry.h"

namespace {

const char kTitle[] = "インターネットプロトコル(TCP/IP)の設定";
constexpr int kOk = 101, kCancel = 102, kCombo = 403, kDescription = 421;
enum { kAddressAuto = 404, kAddressFixed, kAddress, kMask, kGateway, kDnsAuto, kDnsFixed, kPreferred, kAlternate };

class TcpIp : public ToolTest {
protected:
    HWND start(TessalyRun& run) { return startTask(run, "/T", kTitle); }
    // OK, then the confirmation answered; returns the outcome text.
    std::string confirm(TessalyRun& run, HWND dialog, int answer = IDOK) {
        pressButton(dialog, kOk);
        const std::string question = answerBox(run, "確認", answer);
        if (question != "[OK Cancel] 設定を変更します。\nよろしいですか？") return "confirmation: " + question;
        return answer == IDOK ? answerBox(run, "確認") : "";
    }
    // The logged commands without "netsh interface ip " and the wired connection's name.
    std::string commands() const {
        const std::string name = " name = \"ローカル エリア接続\"";
        std::string out;
        for (const std::string& line : logged()) out += line.substr(19) + "|";
        for (size_t at; (at = out.find(name)) != std::string::npos;) out.erase(at, name.size());
        return out;
    }
    // Both radio pairs and every address field as the dialog shows them, then "1" or "0"
    // for each of 404 to 412 in turn: enabled or not.
    static std::string fields(HWND dialog) {
        std::string out = isChecked(dialog, kAddressAuto) ? "auto" : isChecked(dialog, kAddressFixed) ? "fixed" : "?";
        for (int id : {kAddress, kMask, kGateway}) out += " " + ipText(dialog, id);
        out += isChecked(dialog, kDnsAuto) ? " / auto" : isChecked(dialog, kDnsFixed) ? " / fixed" : " / ?";
        for (int id : {kPreferred, kAlternate}) out += " " + ipText(dialog, id);
        out += " ";
        for (int id = kAddressAuto; id <= kAlternate; ++id) out += isEnabled(dialog, id) ? "1" : "0";
        return out;
    }
};

TEST_F(TcpIp, AFixedAddressGoesOutThroughNetshIsShownNextTimeAndAnUnchangedDhcpConnectionStaysDhcp) {
    TessalyRun run;
    HWND dialog = start(run);
    EXPECT_EQ("Intel(R) PRO/100 VE Network Connection", itemText(dialog, kDescription));
    typeIp(dialog, kAddress, "192.168.0.77");
    EXPECT_EQ("「ローカル エリア接続」の設定を切り替えました。\n (IP=192.168.0.77)", confirm(run, dialog));
    expectEndsWithZero(run);
    EXPECT_EQ("set address source = static addr = 192.168.0.77 mask = 255.255.255.0|set address gateway = 192.168.0.1 "
              "gwmetric = 1|set wins source = static addr = none|set dns source = static addr = 192.168.0.1|"
              "add dns addr = 192.168.0.2|",
              commands());

    DeleteFileA(log.c_str());
    TessalyRun again;
    dialog = start(again);
    EXPECT_EQ("192.168.0.77", ipText(dialog, kAddress)) << "read back from the registry";
    chooseComboItem(dialog, kCombo, 1);  // DNS from DHCP goes out so, never as a fixed 0.0.0.0
    EXPECT_EQ("「ワイヤレス ネットワーク接続」の設定を切り替えました。\n (IP=0.0.0.0)", confirm(again, dialog));
    expectEndsWithZero(again);
    const std::string name = "name = \"ワイヤレス ネットワーク接続\" ";
    EXPECT_EQ("set address " + name + "source = dhcp|set wins " + name + "source = dhcp|set dns " + name + "source = dhcp|",
              commands());
}

TEST_F(TcpIp, FieldsFollowTheConnectionAndTheRadioButtonsAndABlankMaskGetsAProposal) {
    HKEY key = createMachineKey(interfaceKeyPath(kLanInstanceId));  // no gateway, one DNS server
    writeMultiText(key, "DefaultGateway", {});
    writeText(key, "NameServer", "192.168.0.1");
    RegCloseKey(key);
    TessalyRun run;
    HWND dialog = start(run);
    EXPECT_EQ("fixed 192.168.0.10 255.255.255.0 0.0.0.0 / fixed 192.168.0.1 ... 111110111", fields(dialog))
        << "a gateway of 0 shows as 0.0.0.0, a DNS server of 0 blank";
    typeIp(dialog, kMask, "255.0.0.0");
    focusControl(dialog, kMask);
    EXPECT_EQ("255.0.0.0", ipText(dialog, kMask)) << "a mask that is not blank stays";
    chooseComboItem(dialog, kCombo, 1);
    EXPECT_EQ("Intel(R) PRO/Wireless 2200BG Network Connection", itemText(dialog, kDescription));
    click(dialog, kAddressFixed);
    focusControl(dialog, kAddress);
    focusControl(dialog, kMask);
    EXPECT_EQ("255.255.255.0", ipText(dialog, kMask)) << "tabbing into a blank mask";
    EXPECT_EQ("", confirm(run, dialog, IDCANCEL));
    EXPECT_EQ("", commands()) << "Cancel in the confirmation keeps the dialog and sends nothing";
    EXPECT_EQ("「ワイヤレス ネットワーク接続」の設定を切り替えました。\n (IP=0.0.0.0)", confirm(run, dialog));
    expectEndsWithZero(run);
    EXPECT_EQ(0u, commands().find("set address name = \"ワイヤレス ネットワーク接続\" source = static addr = 0.0.0.0 "
                                  "mask = 255.255.255.0|"))
        << "blank fields go out as zero";
}

TEST_F(TcpIp, EveryPairOfSourcesHasItsEnableRulesFromEverySeededShape) {
    // The seeded shapes as first shown: XP fixed, DHCP, Windows 2000 fixed, DHCP with fixed DNS.
    const char* const shown[] = {
        "fixed 192.168.0.10 255.255.255.0 192.168.0.1 / fixed 192.168.0.1 192.168.0.2 111110111",
        "auto ... ... ... / auto ... ... 110001100",
        "fixed 10.0.0.20 255.255.255.0 10.0.0.1 / fixed 10.0.0.1 10.0.0.2 111110111",
        "auto ... ... ... / fixed 192.168.1.53 ... 110001111",
    };
    // Clicks that pass through every pair of address and DNS source: the radios and the
    // enabled controls (404 to 412) after each.
    const std::pair<int, const char*> clicks[] = {
        {kAddressFixed, "fixed fixed 111110111"},  // a fixed address takes fixed DNS, 409 off
        {kDnsFixed, "fixed fixed 111111111"},      // 409 on again
        {kDnsAuto, "fixed auto 110001100"},        // the address fields go off with the DNS fields
        {kAddressAuto, "auto auto 110001111"},     // the DNS fields on, whatever the DNS radio
        {kDnsAuto, "auto auto 110001100"},
        {kDnsFixed, "auto fixed 110001111"},       // the address fields stay as they were
    };
    TessalyRun run;
    HWND dialog = start(run);
    for (int shape = 0; shape < 4; ++shape) {
        chooseComboItem(dialog, kCombo, shape);
        EXPECT_EQ(shown[shape], fields(dialog)) << "shape " << shape;
        for (const auto& c : clicks) {
            click(dialog, c.first);
            const std::string now = fields(dialog), dns = now.substr(now.find(" / ") + 3);
            EXPECT_EQ(c.second, now.substr(0, now.find(' ')) + " " + dns.substr(0, dns.find(' ')) + now.substr(now.rfind(' ')))
                << "shape " << shape << ", after clicking " << c.first;
        }
    }
}

// In the visible tool each opening reads the connections afresh, and the window stays.
TEST_F(TcpIp, InTheVisibleToolEachOpeningReadsTheConnectionsAfresh) {
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    for (const char* address : {"192.168.0.10", "10.0.0.5"}) {
        postCommand(mainWindow, 502);
        HWND dialog = run.waitForDialog(kTitle);
        EXPECT_EQ(address, ipText(dialog, kAddress));
        typeIp(dialog, kAddress, "10.0.0.5");
        EXPECT_EQ("「ローカル エリア接続」の設定を切り替えました。\n (IP=10.0.0.5)", confirm(run, dialog));
        ASSERT_EQ(mainWindow, run.waitForMainWindow());
    }
    exitThroughMenu(run, mainWindow);
}

TEST_F(TcpIp, TheVerdictIsWhatTheConnectionHoldsAndNetshOnlyDecidesWhereNothingCanBeReadBack) {
    const std::string failed = "設定を適応できませんでした。\n\n反映されていない設定：\n「ローカル エリア接続」 ";
    const struct {
        const char *fault, *value;
        int combo, field;
        const char* typed;
        std::string outcome;
    } cases[] = {
        {"TESSALY_SIM_EXIT_CODE", "1", 0, kAddress, "10.0.0.5", failed + "IPアドレス： 指定 10.0.0.5 ／ 現在 192.168.0.10"},
        {"TESSALY_SIM_EXIT_CODE", "1", 0, 0, "", "「ローカル エリア接続」の設定を切り替えました。\n (IP=192.168.0.10)"},
        {"TESSALY_SIM_IGNORE", "dns", 0, kPreferred, "10.0.0.53",
         failed + "DNSサーバー： 指定 10.0.0.53, 192.168.0.2 ／ 現在 192.168.0.1, 192.168.0.2"},
        {"TESSALY_SIM_DHCP_ALREADY", "1", 1, 0, "", "「ワイヤレス ネットワーク接続」の設定を切り替えました。\n (IP=0.0.0.0)"},
        // Exit code 2 here: the interface key is gone, nothing to read back, so the exit code decides.
        {"TESSALY_SIM_EXIT_CODE", "2", 0, kAddress, "10.0.0.5", "設定を適応できませんでした。"},
        {"TESSALY_SIM_EXIT_CODE", "1", -1, 0, "", "設定を適応できませんでした。"},  // no connection at all
    };
    for (const auto& c : cases) {
        SetEnvironmentVariableA(c.fault, c.value);
        if (c.combo < 0) deleteKeyTree(HKEY_LOCAL_MACHINE, kNetworkClassKey);
        DeleteFileA(log.c_str());
        TessalyRun run;
        HWND dialog = start(run);
        if (c.value[0] == '2') deleteKeyTree(HKEY_LOCAL_MACHINE, interfaceKeyPath(kLanInstanceId));
        EXPECT_EQ(c.combo < 0 ? 0 : 4, SendDlgItemMessageA(dialog, kCombo, CB_GETCOUNT, 0, 0));
        if (c.combo > 0) chooseComboItem(dialog, kCombo, c.combo);
        if (c.field != 0) typeIp(dialog, c.field, c.typed);
        EXPECT_EQ(c.outcome, confirm(run, dialog)) << c.fault << "=" << c.value << " case " << &c - cases;
        expectEndsWith(run, c.outcome.find("切り替えました") != std::string::npos ? 0 : 1);
        EXPECT_EQ(c.combo < 0 ? 0u : c.combo == 0 ? 5u : 3u, logged().size()) << "a failing sequence runs to its end";
        SetEnvironmentVariableA(c.fault, nullptr);
    }
}

}  // namespace
