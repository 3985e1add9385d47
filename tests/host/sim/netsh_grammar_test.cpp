// The netsh stand-in must accept exactly what the tool sends and what its own dump writes.
#include "netsh_grammar.h"

#include <gtest/gtest.h>

namespace {

TEST(NetshGrammar, AcceptsEveryCommandTheToolSends) {
    const struct {
        const char* line;
        SimCommandKind kind;
    } cases[] = {
        {"interface ip dump", SimCommandKind::Dump},
        {"exec .\\003.dmp", SimCommandKind::Exec},
        {"interface ip set address name = \"LAN 1\" source = dhcp", SimCommandKind::SetAddressDhcp},
        {"interface ip set wins name = \"LAN 1\" source = dhcp", SimCommandKind::SetWins},
        {"interface ip set address name = \"LAN 1\" source = static addr = 192.168.1.10 mask = 255.255.255.0",
         SimCommandKind::SetAddressStatic},
        {"interface ip set address name = \"LAN 1\" gateway = 0.0.0.0 gwmetric = 1", SimCommandKind::SetGateway},
        {"interface ip set wins name = \"LAN 1\" source = static addr = none", SimCommandKind::SetWins},
        {"interface ip set dns name = \"LAN 1\" source = dhcp", SimCommandKind::SetDnsDhcp},
        {"interface ip set dns name = \"LAN 1\" source = static addr = 0.0.0.0", SimCommandKind::SetDnsStatic},
        {"interface ip add dns name = \"LAN 1\" addr = 255.255.255.255", SimCommandKind::AddDns},
    };
    for (const auto& c : cases) {
        const SimCommand command = parseSimCommand(c.line, false);
        EXPECT_EQ(c.kind, command.kind) << c.line << ": " << command.error;
    }
    const SimCommand address = parseSimCommand(cases[4].line, false);
    EXPECT_EQ("LAN 1", address.name);
    EXPECT_EQ("192.168.1.10", address.address);
    EXPECT_EQ("255.255.255.0", address.mask);
    EXPECT_EQ(".\\003.dmp", parseSimCommand(cases[1].line, false).file);
}

TEST(NetshGrammar, AcceptsTheLinesOfItsOwnDumpInsidePushd) {
    const struct {
        const char* line;
        SimCommandKind kind;
    } cases[] = {
        {"# Interface IP Configuration", SimCommandKind::Nothing},
        {"", SimCommandKind::Nothing},
        {"\r", SimCommandKind::Nothing},
        {"pushd interface ip", SimCommandKind::Pushd},
        {"popd", SimCommandKind::Popd},
        {"set address name=\"X\" source=static addr=10.0.0.2 mask=255.0.0.0", SimCommandKind::SetAddressStatic},
        {"add address name=\"X\" addr=10.0.0.3 mask=255.0.0.0", SimCommandKind::AddAddress},
        {"set address name=\"X\" gateway=10.0.0.1 gwmetric=0", SimCommandKind::SetGateway},
        {"add address name=\"X\" gateway=10.0.0.9 gwmetric=0", SimCommandKind::AddGateway},
        {"set dns name=\"X\" source=static addr=10.0.0.1 register=PRIMARY", SimCommandKind::SetDnsStatic},
        {"set dns name=\"X\" source=static addr=none register=PRIMARY", SimCommandKind::SetDnsStatic},
        {"add dns name=\"X\" addr=10.0.0.2 index=2", SimCommandKind::AddDns},
        {"set dns name=\"X\" source=dhcp register=PRIMARY", SimCommandKind::SetDnsDhcp},
        {"set wins name=\"X\" source=static addr=none", SimCommandKind::SetWins},
        {"SET Address NAME=\"X\" Source=DHCP\r", SimCommandKind::SetAddressDhcp},
    };
    for (const auto& c : cases) {
        const SimCommand command = parseSimCommand(c.line, true);
        EXPECT_EQ(c.kind, command.kind) << c.line << ": " << command.error;
    }
}

TEST(NetshGrammar, RefusesMalformedCommands) {
    const char* lines[] = {
        "interface ip set address name = \"X\" source = static addr = 1.2.3.4",
        "interface ip set address name = \"X\" source = static addr = 1.2.3 mask = 255.0.0.0",
        "interface ip set address name = \"X\" source = static addr = 1.2.3.256 mask = 255.0.0.0",
        "interface ip set address name = \"X\" source = dhcp addr = 1.2.3.4",
        "interface ip set address name = \"X\" source = bootp",
        "interface ip set address source = dhcp",
        "interface ip set address name = \"\" source = dhcp",
        "interface ip set address name = \"X source = dhcp",
        "interface ip set address name = \"X\" name = \"Y\" source = dhcp",
        "interface ip set dns name = \"X\" source = static",
        "interface ip add dns name = \"X\" addr = none",
        "interface ip add wins name = \"X\" addr = 1.2.3.4",
        "interface ip set address name = \"X\" gateway",
        "interface ip set address name = \"X\" gateway = = 1.2.3.4",
        "interface ip show config",
        "set address name=\"X\" source=dhcp",
        "exec C:\\my dumps\\a.dmp",
        "exec",
        "interface ip dump now",
    };
    for (const char* line : lines)
        EXPECT_EQ(SimCommandKind::Invalid, parseSimCommand(line, false).kind) << line;
}

TEST(NetshGrammar, DottedQuadsAreFourBytes) {
    EXPECT_TRUE(isDottedQuad("0.0.0.0"));
    EXPECT_TRUE(isDottedQuad("255.255.255.255"));
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1..3.4", "a.b.c.d", "1.2.3.4 ", "0001.2.3.4"})
        EXPECT_FALSE(isDottedQuad(bad)) << bad;
}

}  // namespace
