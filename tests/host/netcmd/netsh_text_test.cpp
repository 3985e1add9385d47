#include "netcmd/netsh_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kAll = 0xFFFFFFFFu;

// The commands a request runs, joined by "|", with the connection name written as N.
std::string commands(const TcpIpRequest& request, const char* name = "N") {
    std::string out;
    char text[512];
    for (int i = 0; i < tcpIpCommandCount(request); ++i) {
        if (!composeTcpIpCommand(i, name, request, text, sizeof text)) return "command " + std::to_string(i) + " failed";
        std::string line = text;
        const std::string quoted = std::string("\"") + name + "\"";
        line.replace(line.find(quoted), quoted.size(), "N");
        out += (i ? "|" : "") + line.substr(std::string("netsh interface ip ").size());
    }
    return out;
}

TEST(NetshText, EachRequestRunsItsCommandsInOrder) {
    const struct {
        TcpIpRequest request;
        const char* commands;
    } cases[] = {
        {{0, 1, 0, 0, 0, 1, 0, 0},
         "set address name = N source = dhcp|set wins name = N source = dhcp|set dns name = N source = dhcp"},
        {{0, 0, 0xC0A8010A, 0xFFFFFF00, 0, 0, 0xC0A80101, 0},
         "set address name = N source = static addr = 192.168.1.10 mask = 255.255.255.0|"
         "set address name = N gateway = 0.0.0.0 gwmetric = 1|set wins name = N source = static addr = none|"
         "set dns name = N source = static addr = 192.168.1.1"},
        {{3, 0, 0x0A00FF00, 0xFF000000, 0x0A0000FE, 0, 0, kAll},
         "set address name = N source = static addr = 10.0.255.0 mask = 255.0.0.0|"
         "set address name = N gateway = 10.0.0.254 gwmetric = 1|set wins name = N source = static addr = none|"
         "set dns name = N source = static addr = 0.0.0.0|add dns name = N addr = 255.255.255.255"},
        // Automatic address with fixed DNS; a flag of 2 means fixed.
        {{0, 1, 0, 0, 0, 2, 0x08080808, 0x08080404},
         "set address name = N source = dhcp|set wins name = N source = dhcp|"
         "set dns name = N source = static addr = 8.8.8.8|add dns name = N addr = 8.8.4.4"},
        {{0, 255, 0x01146407, 0x80000900, 0, 1, 0, 0},
         "set address name = N source = static addr = 1.20.100.7 mask = 128.0.9.0|"
         "set address name = N gateway = 0.0.0.0 gwmetric = 1|set wins name = N source = static addr = none|"
         "set dns name = N source = dhcp"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) EXPECT_EQ(cases[i].commands, commands(cases[i].request)) << "case " << i;
    EXPECT_EQ(commands(cases[2].request), commands(cases[2].request, "ローカル エリア接続")) << "a Japanese name with a blank";
}

TEST(NetshText, LongNamesNeedTheirRoomAndQuotesAreRefused) {
    const std::string longName(300, 'n');
    const TcpIpRequest request = {0, 0, kAll, kAll, kAll, 0, kAll, kAll};
    std::vector<char> room(longName.size() + kSetCommandOverhead);
    for (int i = 0; i < tcpIpCommandCount(request); ++i)
        EXPECT_EQ(1, composeTcpIpCommand(i, longName.c_str(), request, room.data(), room.size())) << i;
    char small[200];
    EXPECT_EQ(0, composeTcpIpCommand(0, longName.c_str(), request, small, sizeof small));
    EXPECT_STREQ("", small);
    for (int index : {-1, 6}) EXPECT_EQ(0, composeTcpIpCommand(index, "x", request, small, sizeof small));
    EXPECT_EQ(0, composeTcpIpCommand(0, nullptr, request, small, sizeof small));
    EXPECT_EQ(1, isQuotableConnectionName("ワイヤレス ネットワーク接続"));
    EXPECT_EQ(0, isQuotableConnectionName("a\"b"));
    EXPECT_EQ(0, isQuotableConnectionName(nullptr));
}

TEST(NetshText, ExecTakesThePathUnquoted) {
    char text[64];
    EXPECT_EQ(1, composeExecCommand("C:\\my dumps\\a.dmp", text, sizeof text));
    EXPECT_STREQ("netsh exec C:\\my dumps\\a.dmp", text);
    EXPECT_EQ(0, composeExecCommand(nullptr, text, sizeof text));
    const std::string path(64, 'p');
    EXPECT_EQ(0, composeExecCommand(path.c_str(), text, sizeof text));
    std::vector<char> room(path.size() + kExecCommandOverhead);
    EXPECT_EQ(1, composeExecCommand(path.c_str(), room.data(), room.size()));
}

}  // namespace
