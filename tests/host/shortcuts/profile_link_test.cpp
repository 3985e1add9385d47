#include "shortcuts/profile_link.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/start_request.h"
#include "shortcuts/strip_file_name.h"

namespace {

// The link name holds no character a file name cannot, and the arguments bring the
// profile's name back whole through the start-up's own reading of "/L NAME".
TEST(ProfileLink, TheFileNameIsSafeAndTheArgumentsNameTheProfileWhole) {
    const struct { std::string name, file, arguments; } cases[] = {
        {"事務所", "ネットワーク設定「事務所」.lnk", "/L \"事務所\""},
        {"Home LAN", "ネットワーク設定「Home LAN」.lnk", "/L \"Home LAN\""},
        {"a\\b/c:d*e?f\"g<h>i|j\tk", "ネットワーク設定「a_b_c_d_e_f_g_h_i_j_k」.lnk", ""},  // a quote and a tab
        {"a\"b", "ネットワーク設定「a_b」.lnk", "/L a\"b"},    {"\"ab", "ネットワーク設定「_ab」.lnk", ""},
        {"/S\"", "ネットワーク設定「_S_」.lnk", ""},  // bare, it would be a switch
        {"\x83\x5c\x83\x7c", "ネットワーク設定「\x83\x5c\x83\x7c」.lnk", "/L \"\x83\x5c\x83\x7c\""},  // second bytes 0x5C, 0x7C
        {"", "", ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        char file[160], arguments[160];
        EXPECT_EQ(!cases[i].file.empty(), composeProfileLinkName(cases[i].name.c_str(), file, sizeof file)) << "case " << i;
        EXPECT_EQ(cases[i].file, file) << "case " << i;
        const int said = composeProfileArguments(cases[i].name.c_str(), arguments, sizeof arguments);
        EXPECT_EQ(cases[i].arguments, arguments) << "case " << i;
        const StartRequest request = parseStartRequest(arguments);
        EXPECT_EQ(said, said && request.nameIsWhole && request.profileName == cases[i].name) << i;
    }
    char small[20];
    EXPECT_EQ(0, composeProfileLinkName("事務所事務所", small, sizeof small));
    EXPECT_STREQ("", small);
}

// A shortcut's working directory is the program's path cut after its folder, by characters:
// in Shift-JIS, 表 (95 5C), ソ (83 5C) and 能 (94 5C) end in the byte of a backslash.
TEST(ProfileLink, TheWorkingDirectoryIsCutAfterTheLastBackslashThatIsACharacter) {
    const struct { const char *path, *directory; } cases[] = {
        {"C:\\Tools\\\x95\x5C\x8E\xA6.exe", "C:\\Tools\\"},                 // 表示.exe
        {"C:\\\x83\x5C\x83\x74\x83\x67\\tessaly.exe", "C:\\\x83\x5C\x83\x74\x83\x67\\"},  // ソフト
        {"D:\\\x94\x5C\\\x8B\x40\x94\x5C.exe", "D:\\\x94\x5C\\"},         // 能\機能.exe
        {"C:\\\x95\x5C", "C:\\"}, {"a.exe", "a.e"},
        {"C:\\a\x83", "C:\\"},  // a lead byte cut off at the end
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        char path[64];
        std::strcpy(path, cases[i].path);
        EXPECT_EQ(1, stripFileName(path)) << "case " << i;
        EXPECT_STREQ(cases[i].directory, path) << "case " << i;
    }
    char shortPath[] = "C:";
    EXPECT_EQ(0, stripFileName(shortPath));
}

}  // namespace
