#include "app/launch_mode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LaunchMode, TailAndModeFollowTheProcessCommandLine) {
    const struct {
        const char* commandLine;
        const char* tail;
        LaunchMode mode;
        int command;
    } cases[] = {
        {"tessaly.exe /L", "/L", Select, 500},        {"tessaly.exe /S", "/S", Save, 501},
        {"tessaly.exe /T", "/T", TcpIp, 502},         {"tessaly.exe", "", Normal, 0},
        {"", "", Normal, 0},                          {nullptr, "", Normal, 0},
        {"  \t tessaly.exe \t /T", "/T", TcpIp, 502},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe\" /T", "/T", TcpIp, 502},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe\"/S", "/S", Save, 501},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe", "", Normal, 0},
        {"\"C:\\a b\tc.exe\" /L", "c.exe\" /L", Normal, 0},
        {"tessaly.exe\t/L", "/L", Select, 500},       {"tessaly.exe /l", "/l", Normal, 0},
        {"tessaly.exe /L ", "/L ", Normal, 0},        {"tessaly.exe \"/L\"", "\"/L\"", Normal, 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const char* tail = commandLineTail(cases[i].commandLine);
        EXPECT_STREQ(cases[i].tail, tail) << "case " << i;
        EXPECT_EQ(cases[i].mode, launchModeFromTail(tail)) << "case " << i;
        EXPECT_EQ(cases[i].command, launchModeCommand(launchModeFromTail(tail))) << "case " << i;
    }
    const std::string longLine = "tessaly.exe /L" + std::string(40000, 'L');
    EXPECT_EQ(40002u, std::string(commandLineTail(longLine.c_str())).size());
    EXPECT_EQ(Normal, launchModeFromTail(nullptr));
}

}  // namespace
