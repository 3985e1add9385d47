#include "netcmd/netsh_script.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "host/composed_text.h"
#include "netcmd/settings_report.h"

namespace {

std::unique_ptr<ScriptSettings> read(const std::string& script) {
    auto settings = std::make_unique<ScriptSettings>();
    readNetshScript(script.data(), script.size(), settings.get());
    return settings;
}

std::string summary(const ScriptSettings& settings) {
    char* text = nullptr;
    return take(composeSettingsSummary(settings, &text), text);
}

TEST(NetshScript, LinesAreReadCaseBlankAndQuoteAlikeAndBadOnesAreRefused) {
    const struct {
        const char* line; int inInterfaceIp; NetshLineKind kind; const char* name; uint32_t address, gateway;
    } cases[] = {
        {"set address name=\"LAN\" source=dhcp", 1, NetshLineKind::SetAddressDhcp, "LAN", 0, 0},
        {"interface ip set address name = \"ローカル エリア接続\" source = static addr = 10.0.0.1 mask = 255.0.0.0 "
         "gateway = none gwmetric = 0", 0, NetshLineKind::SetAddressStatic, "ローカル エリア接続", 0x0A000001, 0},
        {"  SET DNS NAME=LAN SOURCE=STATIC ADDR=NONE REGISTER=PRIMARY\r", 1, NetshLineKind::SetDnsStatic, "LAN", 0, 0},
        {"add address name=LAN gateway=10.0.0.254 gwmetric=2", 1, NetshLineKind::AddGateway, "LAN", 0, 0x0A0000FE},
        {"add wins name=\"W\" addr=1.2.3.4 index=2", 1, NetshLineKind::AddWins, "W", 0x01020304, 0},
        {"set address name=\"LAN\" source=dhcp", 0, NetshLineKind::Invalid, "", 0, 0},  // outside pushd
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        NetshLine line;
        parseNetshLine(cases[i].line, std::strlen(cases[i].line), cases[i].inInterfaceIp, &line);
        EXPECT_EQ(cases[i].kind, line.kind) << "case " << i;
        EXPECT_STREQ(cases[i].name, line.name) << "case " << i;
        EXPECT_EQ(cases[i].address, line.address) << "case " << i;
        EXPECT_EQ(cases[i].gateway, line.gateway) << "case " << i;
    }
    NetshLine line;
    for (const char* bad : {"set address name=LAN source=static addr=10.0.0.256 mask=255.0.0.0", "set dns name=LAN source=static",
                            "set address name=LAN source=static addr=10.0.0 mask=255.0.0.0", "set dns name=\"LAN source=dhcp",
                            "set dns name=a source=dhcp register=none register=both", "set address name=a source=dhcp =",
                            "set wins name=a source=dhcp register=none", "add address name=a gateway=none", "set dns source=dhcp"}) {
        parseNetshLine(bad, std::strlen(bad), 1, &line);
        EXPECT_TRUE(line.kind == NetshLineKind::Invalid && line.error != nullptr) << bad;
    }
    for (size_t length : {510u, 511u}) {  // a name of 255 double-byte characters fits
        const std::string text = "set dns name=\"" + std::string(length, 'n') + "\" source=dhcp";
        parseNetshLine(text.data(), text.size(), 1, &line);
        EXPECT_EQ(length == 510 ? NetshLineKind::SetDnsDhcp : NetshLineKind::Invalid, line.kind) << length;
    }
}

TEST(NetshScript, ADumpFoldsIntoEachConnectionsSettingsAndUnknownLinesAreCounted) {
    const auto settings = read(
        "# ----\r\npushd interface ip\r\n\r\n# Interface IP Configuration for \"ローカル エリア接続\"\r\n"
        "set address name=\"ローカル エリア接続\" source=static addr=10.0.0.5 mask=255.0.0.0\r\n"
        "add address name=\"ローカル エリア接続\" addr=10.0.0.6 mask=255.255.0.0\r\n"
        "set address name=\"ローカル エリア接続\" gateway=10.0.0.1 gwmetric=0\r\n"
        "add address name=\"ローカル エリア接続\" gateway=10.0.0.2 gwmetric=1\r\n"
        "set dns name=\"ローカル エリア接続\" source=static addr=10.0.0.53 register=PRIMARY\r\n"
        "add dns name=\"ローカル エリア接続\" addr=10.0.0.54 index=1\r\n"
        "Set WINS Name = \"ローカル エリア接続\" Source = Static Addr = 10.0.0.44\r\n"
        "delete address name=\"ローカル エリア接続\" addr=10.0.0.6 gateway=10.0.0.2\r\n"
        "delete dns name=\"ローカル エリア接続\" addr=10.0.0.53\r\nDELETE WINS NAME=\"ローカル エリア接続\" ADDR=ALL\r\n"
        "set address name=Lab source=dhcp\r\nset dns name=Lab source=dhcp\r\n"
        "set interface name=Lab mtu=1400\r\nset address name=\"Lab\" source=static addr=1.2.3.4\r\n"
        // A server added after DHCP makes a fixed list, as the registry then holds it.
        "set dns name=Wifi source=dhcp\r\nadd dns name=Wifi addr=10.1.1.2 index=2\r\n"
        "set wins name=Wifi source=dhcp\r\nadd wins name=Wifi addr=10.1.1.3\r\n"
        "popd\r\n# End of interface IP configuration\r\nset dns name=Lab source=static addr=9.9.9.9");
    EXPECT_EQ("ローカル エリア接続\r\n  IPアドレス： 10.0.0.5 / 255.0.0.0\r\n  ゲートウェイ： 10.0.0.1\r\n"
              "  DNS： 10.0.0.54\r\nLab\r\n  IPアドレス： 自動 (DHCP)\r\n  DNS： 自動\r\nWifi\r\n  DNS： 10.1.1.2\r\n"
              "  WINS： 10.1.1.3",
              summary(*settings));
    EXPECT_EQ(0, countDifferences(*settings, *settings)) << "settings hold what they ask";
    EXPECT_EQ(3, settings->unreadLines) << "an unknown command, a truncated line, a line after popd";
}

// Anything but what a dump of "interface ip" holds keeps the whole script from running,
// and the first such line is named.
TEST(NetshScript, OnlyTheLinesOfADumpMayRunAndTheFirstOtherLineIsNamed) {
    int dumps = 0;  // dumps as Windows 2000, XP and Server 2003 print them, and the stand-in's
    for (const auto& seed : std::filesystem::directory_iterator(TESSALY_SCRIPT_SEEDS)) {
        if (seed.path().filename().string().rfind("dump-", 0) != 0) continue;
        const auto settings = read(std::string(std::istreambuf_iterator<char>(std::ifstream(seed.path(), std::ios::binary).rdbuf()), {}));
        EXPECT_EQ(0, settings->foreignLine) << settings->foreignText << " in " << seed.path();
        EXPECT_EQ(0, settings->unreadLines) << seed.path();
        EXPECT_LT(0, settings->connectionCount) << seed.path();
        ++dumps;
    }
    EXPECT_LE(5, dumps);
    const std::string lan = "pushd interface ip\r\nset address name=\"LAN\" source=dhcp\r\npopd\r\n";
    const std::string longest = "set address name = \"" + std::string(kLongestDumpedName, 'n') +  // as Windows 2000 spells it
                                "\" source = static addr = 255.255.255.255 mask = 255.255.255.255 ";
    std::string wide = "firewall ";
    while (wide.size() < 89) wide += "\x82\xa0";  // a two-byte character, 40 times
    const struct { std::string script; int line; std::string shown; } cases[] = {
        {"pushd interface ip\r\n  interface portproxy add v4tov4 listenport=80 connectaddress=10.0.0.9\r\n", 2,
         "interface portproxy add v4tov4 listenport=80 connectaddress=…"},
        {"pushd interface ip\npushd interface ip\n", 2, "pushd interface ip"},
        {lan + lan, 0, ""}, {lan + lan + "popd\n", 7, "popd"},  // one dump after another
        {"pushd interface ip\nexec other.dmp\n", 2, "exec other.dmp"},
        {"interface ip dump\n", 1, "interface ip dump"},
        {"pushd routing ip nat\n", 1, "pushd routing ip nat"},
        {"pushd interface ip\ndelete arpcache\nset interface name=LAN mtu=1400\n", 2, "delete arpcache"},
        {std::string("pushd interface ip\nset address name=\"L") + '\0' + "N\" source=dhcp\n", 2,
         "set address name=\"L?N\" source=dhcp"},
        {"# note\rfirewall set opmode disable\n", 1, "# note?firewall set opmode disable"},
        {wide, 1, wide.substr(0, 9 + 25 * 2) + "…"},  // never half a character
        // A line longer than any dump's could be split by netsh, its tail run on its own.
        {std::string("pushd interface ip\nset") + std::string(8000, ' ') + "address name=\"firewall set opmode mode=DISABLE\" source=dhcp\n", 2,
         "set" + std::string(kForeignTextSize - sizeof "…" - 3, ' ') + "…"},
        {lan + "#" + std::string(kMaxScriptLineBytes - 2, ' ') + "x\n", 0, ""},
        {lan + "#" + std::string(kMaxScriptLineBytes - 1, ' ') + "x\n", 4, "#" + std::string(kForeignTextSize - sizeof "…" - 1, ' ') + "…"},
        {"pushd interface ip\r\n" + longest + "\r\n", 0, ""},  // 595 bytes with the CR
        {"pushd interface ip\r\n" + longest + " \r\n", 2, longest.substr(0, kForeignTextSize - sizeof "…") + "…"},
        // Notepad's "Unicode" and "UTF-8" (a name of 「ロ」 is 83 8D in Shift-JIS, 30 ED in UTF-16)
        {std::string("\xFF\xFEp\0u\0s\0h\0d\0", 12) + lan, 1, ""}, {"\xEF\xBB\xBF" + lan, 1, ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const auto settings = read(cases[i].script);
        EXPECT_EQ(cases[i].line, settings->foreignLine) << "case " << i;
        EXPECT_EQ(cases[i].shown, settings->foreignText) << "case " << i;
    }
}

TEST(NetshScript, ALargeScriptStopsAtItsLimitsAndCountsTheRest) {
    std::string script = "pushd interface ip\n";
    for (int i = 0; script.size() < 64 * 1024; ++i)
        script += "add address name=\"c" + std::to_string(i % 25) + "\" addr=10.0.0." + std::to_string(i % 200) +
                  " mask=255.0.0.0\n";
    const auto settings = read(script);
    EXPECT_EQ(kMaxScriptConnections, settings->connectionCount);
    const int lines = static_cast<int>(std::count(script.begin(), script.end(), '\n')) - 1;
    EXPECT_EQ(lines - kMaxScriptConnections * kMaxListAddresses, settings->unreadLines);
}

// The verdict says what was asked, then what is held; the preview what is held now, then
// what an apply would leave. (A missing connection is read from the screen in the e2e tests.)
TEST(NetshScript, EachDifferenceIsOneLineInTheVerdictAndInThePreviewUpToTen) {
    const auto asked = read("pushd interface ip\nset address name=A source=static addr=10.0.0.5 mask=255.0.0.0 "
                            "gateway=10.0.0.1\nset dns name=A source=static addr=10.0.0.53\n"
                            "set wins name=A source=dhcp\nset address name=B source=dhcp\nset dns name=B source=dhcp\n");
    const struct { void (*change)(ScriptSettings&); const char *verdict, *preview; } cases[] = {
        {[](ScriptSettings& s) {  // an automatic source compares only the source
             s.connections[1].addresses = {1, {0x0A000009}};
             s.connections[0].wins = {1, {0x0A00002C}};
         },
         "\n「A」 WINSサーバー： 指定 自動 ／ 現在 10.0.0.44", "\r\n「A」 WINSサーバー： 現在 10.0.0.44 ／ 適用後 自動"},
        {[](ScriptSettings&) {}, "", nullptr},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        ScriptSettings held = *asked;
        cases[i].change(held);
        char* text = nullptr;
        const std::string report = take(composeDifferenceReport("失敗", *asked, held, nullptr, &text), text);
        EXPECT_EQ(std::string("失敗\n\n反映されていない設定：") + cases[i].verdict, report) << "case " << i;
        EXPECT_EQ(cases[i].preview != nullptr ? std::string("適用すると変わる設定：") + cases[i].preview : "現在の設定と同じです。",
                  take(composeChangePreview(*asked, held, nullptr, &text), text))
            << "case " << i;
    }
    std::string many = "pushd interface ip\n";
    for (int i = 0; i < 13; ++i) many += "set dns name=c" + std::to_string(i) + " source=static addr=10.0.0.1\n";
    const auto wanted = read(many);
    ScriptSettings held = *wanted;
    for (int i = 0; i < 13; ++i) held.connections[i].dns.count = 0;
    char* text = nullptr;
    const std::string report = take(composeDifferenceReport("失敗", *wanted, held, nullptr, &text), text);
    EXPECT_EQ("「c9」 DNSサーバー： 指定 10.0.0.1 ／ 現在 なし\nほか 3 件", report.substr(report.find("「c9」")));
    const std::string preview = take(composeChangePreview(*wanted, held, nullptr, &text), text);
    EXPECT_EQ("「c9」 DNSサーバー： 現在 なし ／ 適用後 10.0.0.1\r\nほか 3 件", preview.substr(preview.find("「c9」")));
}

}  // namespace
