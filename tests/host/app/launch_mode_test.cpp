#include "app/launch_mode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(LaunchMode, TailAndModeFollowTheProcessCommandLine) {
    const struct { const char *commandLine, *tail; LaunchMode mode; int command; } cases[] = {
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
        {"tessaly.exe /L 事務所", "/L 事務所", SelectNamed, 510}, {"tessaly.exe /L\t\"\"", "/L\t\"\"", SelectNamed, 510},
        {"tessaly.exe /Lx", "/Lx", Normal, 0},          {"tessaly.exe /L /S", "/L /S", Normal, 0},
        {"tessaly.exe /L\t/x y", "/L\t/x y", Normal, 0}, {"tessaly.exe /L \"/S\"", "/L \"/S\"", SelectNamed, 510},
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

TEST(LaunchMode, AProfileNameIsWholeOnlyWhenItCanNameAProfile) {
    std::string japanese;  // 50 two-byte characters: one byte more than a name holds
    while (japanese.size() < 100) japanese += "\x82\xa0";
    const struct { std::string tail, name; int whole; } cases[] = {
        {"/L 事務所", "事務所", 1},           {"/L \"Home LAN\" \t", "Home LAN", 1},
        {"/L\tHome LAN \t", "Home LAN", 1},  {"/L \"Home LAN", "\"Home LAN", 0},
        {"/L \"\"", "", 0},                  {"/L \"a\" b", "a", 0},
        {"/L " + std::string(99, 'n'), std::string(99, 'n'), 1},
        {"/L " + std::string(100, 'n'), std::string(99, 'n'), 0},
        {"/L \"" + japanese + "\"", japanese.substr(0, 98), 0}, {"/L", "", 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        char name[100];
        std::memset(name, 'x', sizeof name);
        EXPECT_EQ(cases[i].whole, profileNameFromTail(cases[i].tail.c_str(), name, sizeof name)) << "case " << i;
        EXPECT_EQ(cases[i].name, name) << "case " << i;
    }
}

}  // namespace
