#include "netcmd/netsh_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
    return a << 24 | b << 16 | c << 8 | d;
}

std::vector<std::string> commands(const char* name, const TcpIpRequest& request) {
    std::vector<std::string> out;
    char text[512];
    for (int i = 0; i < tcpIpCommandCount(request); ++i) {
        EXPECT_EQ(1, composeTcpIpCommand(i, name, request, text, sizeof text)) << i;
        out.push_back(text);
    }
    return out;
}

TEST(NetshText, AutomaticAddressAndDnsRunThreeCommands) {
    const TcpIpRequest request = {0, 1, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ((std::vector<std::string>{
                  "netsh interface ip set address name = \"LAN\" source = dhcp",
                  "netsh interface ip set wins name = \"LAN\" source = dhcp",
                  "netsh interface ip set dns name = \"LAN\" source = dhcp",
              }),
              commands("LAN", request));
}

TEST(NetshText, FixedAddressWithoutGatewayOrAlternateRunsFourCommands) {
    const TcpIpRequest request = {0, 0, quad(192, 168, 1, 10), quad(255, 255, 255, 0), 0, 0,
                                  quad(192, 168, 1, 1), 0};
    EXPECT_EQ((std::vector<std::string>{
                  "netsh interface ip set address name = \"LAN\" source = static addr = 192.168.1.10 mask = 255.255.255.0",
                  "netsh interface ip set address name = \"LAN\" gateway = 0.0.0.0 gwmetric = 1",
                  "netsh interface ip set wins name = \"LAN\" source = static addr = none",
                  "netsh interface ip set dns name = \"LAN\" source = static addr = 192.168.1.1",
              }),
              commands("LAN", request));
}

TEST(NetshText, FixedEverythingWithAlternateDnsRunsSixCommands) {
    // Japanese with a blank inside.
    const char* name = "ローカル エリア接続";
    const TcpIpRequest request = {3, 0, quad(10, 0, 255, 0), quad(255, 0, 0, 0), quad(10, 0, 0, 254), 0,
                                  quad(0, 0, 0, 0), quad(255, 255, 255, 255)};
    const std::string quoted = std::string("\"") + name + "\"";
    EXPECT_EQ((std::vector<std::string>{
                  "netsh interface ip set address name = " + quoted + " source = static addr = 10.0.255.0 mask = 255.0.0.0",
                  "netsh interface ip set address name = " + quoted + " gateway = 10.0.0.254 gwmetric = 1",
                  "netsh interface ip set wins name = " + quoted + " source = static addr = none",
                  "netsh interface ip set dns name = " + quoted + " source = static addr = 0.0.0.0",
                  "netsh interface ip add dns name = " + quoted + " addr = 255.255.255.255",
              }),
              commands(name, request));
}

TEST(NetshText, FlagsCountOnlyWhenTheyAreOne) {
    // Automatic address with fixed DNS, and a flag byte of 2 meaning fixed.
    TcpIpRequest request = {0, 1, 0, 0, 0, 2, quad(8, 8, 8, 8), quad(8, 8, 4, 4)};
    EXPECT_EQ((std::vector<std::string>{
                  "netsh interface ip set address name = \"W\" source = dhcp",
                  "netsh interface ip set wins name = \"W\" source = dhcp",
                  "netsh interface ip set dns name = \"W\" source = static addr = 8.8.8.8",
                  "netsh interface ip add dns name = \"W\" addr = 8.8.4.4",
              }),
              commands("W", request));
    request.addressAuto = 255;
    request.dnsAuto = 1;
    EXPECT_EQ(4, tcpIpCommandCount(request));
    EXPECT_EQ("netsh interface ip set dns name = \"W\" source = dhcp", commands("W", request)[3]);
}

TEST(NetshText, DottedQuadsArePlainDecimalBytes) {
    const struct {
        uint32_t address;
        const char* text;
    } cases[] = {{0, "0.0.0.0"},
                 {0xFFFFFFFFu, "255.255.255.255"},
                 {quad(1, 20, 100, 7), "1.20.100.7"},
                 {quad(128, 0, 9, 200), "128.0.9.200"}};
    for (const auto& c : cases) {
        char text[16];
        formatDottedQuad(c.address, text);
        EXPECT_STREQ(c.text, text);
    }
}

TEST(NetshText, LongNamesNeedTheirRoomAndQuotesAreRefused) {
    const std::string longName(300, 'n');
    const TcpIpRequest request = {0, 0, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0, 0xFFFFFFFFu, 0xFFFFFFFFu};
    std::vector<char> text(longName.size() + kSetCommandOverhead, '\x7F');
    for (int i = 0; i < tcpIpCommandCount(request); ++i)
        EXPECT_EQ(1, composeTcpIpCommand(i, longName.c_str(), request, text.data(), text.size())) << i;

    char small[200];
    EXPECT_EQ(0, composeTcpIpCommand(0, longName.c_str(), request, small, sizeof small));
    EXPECT_STREQ("", small);
    EXPECT_EQ(0, composeTcpIpCommand(6, "x", request, small, sizeof small));
    EXPECT_EQ(0, composeTcpIpCommand(-1, "x", request, small, sizeof small));
    EXPECT_EQ(0, composeTcpIpCommand(0, nullptr, request, small, sizeof small));

    EXPECT_EQ(1, isQuotableConnectionName("ワイヤレス ネットワーク接続"));
    EXPECT_EQ(0, isQuotableConnectionName("a\"b"));
    EXPECT_EQ(0, isQuotableConnectionName(nullptr));
}

TEST(NetshText, ExecTakesThePathUnquoted) {
    char text[64];
    EXPECT_EQ(1, composeExecCommand(".\\003.dmp", text, sizeof text));
    EXPECT_STREQ("netsh exec .\\003.dmp", text);
    EXPECT_EQ(1, composeExecCommand("C:\\my dumps\\a.dmp", text, sizeof text));
    EXPECT_STREQ("netsh exec C:\\my dumps\\a.dmp", text);
    EXPECT_EQ(0, composeExecCommand(nullptr, text, sizeof text));
    const std::string path(64, 'p');
    EXPECT_EQ(0, composeExecCommand(path.c_str(), text, sizeof text));
    std::vector<char> room(path.size() + kExecCommandOverhead);
    EXPECT_EQ(1, composeExecCommand(path.c_str(), room.data(), room.size()));
}

}  // namespace
