#include "app/launch_mode.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TailCase {
    const char* commandLine;
    const char* tail;
    LaunchMode mode;
};

TEST(LaunchMode, TailAndModeFollowTheProcessCommandLine) {
    const TailCase cases[] = {
        {"tessaly.exe /L", "/L", Select},
        {"tessaly.exe /S", "/S", Save},
        {"tessaly.exe /T", "/T", TcpIp},
        {"tessaly.exe", "", Normal},
        {"", "", Normal},
        {"  \t tessaly.exe \t /T", "/T", TcpIp},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe\" /T", "/T", TcpIp},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe\"/S", "/S", Save},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe", "", Normal},
        {"\"C:\\a b\tc.exe\" /L", "c.exe\" /L", Normal},
        {"tessaly.exe\t/L", "/L", Select},
        {"tessaly.exe /l", "/l", Normal},
        {"tessaly.exe /s", "/s", Normal},
        {"tessaly.exe /t", "/t", Normal},
        {"tessaly.exe /L ", "/L ", Normal},
        {"tessaly.exe /L /S", "/L /S", Normal},
        {"tessaly.exe /X", "/X", Normal},
        {"tessaly.exe -L", "-L", Normal},
        {"tessaly.exe \"/L\"", "\"/L\"", Normal},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const TailCase& c = cases[i];
        const char* tail = commandLineTail(c.commandLine);
        EXPECT_STREQ(c.tail, tail) << "case " << i;
        EXPECT_EQ(c.mode, launchModeFromTail(tail)) << "case " << i;
    }
}

TEST(LaunchMode, NullAndVeryLongCommandLinesGiveTheVisibleTool) {
    EXPECT_STREQ("", commandLineTail(nullptr));
    EXPECT_EQ(Normal, launchModeFromTail(nullptr));
    const std::string longLine = "tessaly.exe " + std::string(40000, 'L');
    EXPECT_EQ(40000u, std::string(commandLineTail(longLine.c_str())).size());
    EXPECT_EQ(Normal, launchModeFromTail(commandLineTail(longLine.c_str())));
}

TEST(LaunchMode, EachOneTaskModeSendsItsMenuCommand) {
    EXPECT_EQ(0, launchModeCommand(Normal));
    EXPECT_EQ(500, launchModeCommand(Select));
    EXPECT_EQ(501, launchModeCommand(Save));
    EXPECT_EQ(502, launchModeCommand(TcpIp));
}

}  // namespace
