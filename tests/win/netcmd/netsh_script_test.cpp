// The refused line as the exe shows it: compiled as the exe is, "…" is Shift-JIS (81 63).
#include "netcmd/netsh_script.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

TEST(NetshScript, ARefusedLineIsShownCutAfter61BytesWithTheTwoByteEllipsis) {
    const std::string line = "firewall set opmode mode=DISABLE profile=ALL exceptions=DISABLE interface=LAN";
    const auto settings = std::make_unique<ScriptSettings>();
    readNetshScript(line.data(), line.size(), settings.get());
    EXPECT_EQ(line.substr(0, 61) + "\x81\x63", settings->foreignText);
}
