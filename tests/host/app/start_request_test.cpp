#include "app/start_request.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(StartRequest, TailAndModeFollowTheProcessCommandLine) {
    const struct { const char *commandLine, *tail; LaunchMode mode; } cases[] = {
        {"tessaly.exe /L", "/L", Select},        {"tessaly.exe /S", "/S", Save},
        {"tessaly.exe /T", "/T", TcpIp},         {"tessaly.exe", "", Normal},
        {"", "", Normal},                        {nullptr, "", Normal},
        {"  \t tessaly.exe \t /T", "/T", TcpIp},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe\" /T", "/T", TcpIp},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe\"/S", "/S", Save},
        {"\"C:\\Program Files\\Tessaly\\tessaly.exe", "", Normal},
        {"\"C:\\a b\tc.exe\" /L", "c.exe\" /L", Normal},
        {"tessaly.exe /l", "/l", Normal},        {"tessaly.exe /L ", "/L ", Normal},
        {"tessaly.exe \"/L\"", "\"/L\"", Normal}, {"tessaly.exe /L 事務所", "/L 事務所", SelectNamed},
        {"tessaly.exe /L\t\"\"", "/L\t\"\"", SelectNamed}, {"tessaly.exe /Lx", "/Lx", Normal},
        {"tessaly.exe /L /S", "/L /S", Normal},  {"tessaly.exe /L \"/S\"", "/L \"/S\"", SelectNamed},
        {"tessaly.exe /R", "/R", Resident},      {"tessaly.exe /r", "/r", Normal},
        {"tessaly.exe /R /L", "/R /L", Normal},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const char* tail = commandLineTail(cases[i].commandLine);
        EXPECT_STREQ(cases[i].tail, tail) << "case " << i;
        EXPECT_EQ(cases[i].mode, launchModeFromTail(tail)) << "case " << i;
    }
}

TEST(StartRequest, AProfileNameIsWholeOnlyWhenItCanNameAProfile) {
    std::string japanese;  // 50 two-byte characters: one byte more than a name holds
    while (japanese.size() < 100) japanese += "\x82\xa0";
    const struct { std::string tail, name; int whole; } cases[] = {
        {"/L 事務所", "事務所", 1},           {"/L \"Home LAN\" \t", "Home LAN", 1},
        {"/L\tHome LAN \t", "Home LAN", 1},  {"/L \"Home LAN", "\"Home LAN", 0},
        {"/L \"\"", "", 0},                  {"/L \"a\" b", "a", 0},
        {"/L \"" + japanese + "\"", japanese.substr(0, 98), 0}, {"/L", "", 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const StartRequest request = parseStartRequest(cases[i].tail.c_str());
        EXPECT_EQ(cases[i].whole, request.nameIsWhole) << "case " << i;
        EXPECT_EQ(cases[i].name, request.profileName) << "case " << i;
    }
}

}  // namespace
