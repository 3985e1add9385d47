#include "netcmd/netsh_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kAll = 0xFFFFFFFFu;

// The commands a request runs for connection "N", without "netsh interface ip ", joined by "|".
std::string commands(const TcpIpRequest& request, const char* name = "N") {
    std::string out;
    char text[512];
    for (int i = 0; i < tcpIpCommandCount(request); ++i) {
        if (!composeTcpIpCommand(i, name, request, text, sizeof text)) return "command " + std::to_string(i) + " failed";
        std::string line = text;
        const std::string quoted = std::string("\"") + name + "\"";
        const size_t at = line.find(quoted);
        out += (i ? "|" : "") + line.replace(at, at == std::string::npos ? 0 : quoted.size(), "N").substr(19);
    }
    return out;
}

TEST(NetshText, EachRequestRunsItsCommandsInOrder) {
    // The request: index, address automatic, address, mask, gateway, DNS automatic, servers.
    const struct { TcpIpRequest request; const char* commands; } cases[] = {
        {{0, 0, 0xC0A8010A, 0xFFFFFF00, 0, 0, 0xC0A80101, 0},
         "set address name = N source = static addr = 192.168.1.10 mask = 255.255.255.0|"
         "set address name = N gateway = 0.0.0.0 gwmetric = 1|set wins name = N source = static addr = none|"
         "set dns name = N source = static addr = 192.168.1.1"},
        {{3, 0, 0x0A00FF00, 0xFF000000, 0x0A0000FE, 0, 0, kAll},
         "set address name = N source = static addr = 10.0.255.0 mask = 255.0.0.0|"
         "set address name = N gateway = 10.0.0.254 gwmetric = 1|set wins name = N source = static addr = none|"
         "set dns name = N source = static addr = 0.0.0.0|add dns name = N addr = 255.255.255.255"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) EXPECT_EQ(cases[i].commands, commands(cases[i].request)) << "case " << i;
    EXPECT_EQ(commands(cases[1].request), commands(cases[1].request, "ローカル エリア接続")) << "a Japanese name with a blank";
}

TEST(NetshText, TextsNeedTheirRoomAndQuotedNamesAreRefused) {
    const std::string longName(300, 'n');  // long names reach netsh whole: see the runner's tests
    const TcpIpRequest request = {0, 0, kAll, kAll, kAll, 0, kAll, kAll};
    std::vector<char> room(longName.size() + kExecCommandOverhead);
    char small[200];
    EXPECT_EQ(0, composeTcpIpCommand(0, longName.c_str(), request, small, sizeof small));
    EXPECT_STREQ("", small);
    EXPECT_EQ(1, isQuotableConnectionName("ワイヤレス ネットワーク接続"));
    for (const char* name : {"a\"b", static_cast<const char*>(nullptr)}) EXPECT_EQ(0, isQuotableConnectionName(name));

    EXPECT_EQ(1, composeExecCommand("\\\\server\\設定\\a.dmp", small, sizeof small));
    EXPECT_STREQ("netsh exec \\\\server\\設定\\a.dmp", small) << "the path unquoted";
    // netsh would read another file than the one checked
    for (const char* split : {"C:\\my dumps\\a.dmp", "a.dmp\tb", "\"a.dmp\"", "", static_cast<const char*>(nullptr)})
        EXPECT_EQ(0, composeExecCommand(split, small, sizeof small)) << (split ? split : "null");
    EXPECT_EQ(0, composeExecCommand(longName.c_str(), small, sizeof small));
    EXPECT_EQ(1, composeExecCommand(longName.c_str(), room.data(), room.size()));
}

}  // namespace
