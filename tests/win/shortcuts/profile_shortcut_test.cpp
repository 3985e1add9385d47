// A profile's desktop shortcut is this program's by its file, however the path to it is
// spelt, and the shell hears of every shortcut written or deleted.
#include "shortcuts/desktop_shortcut.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "common/late_binding.h"
#include "shortcuts/profile_link.h"
#include "win/support.h"

namespace {

std::vector<std::string> told;  // what the shell was told: event and path

void WINAPI recordChange(LONG event, UINT flags, LPCVOID item, LPCVOID) {
    const char* kind = event == SHCNE_CREATE ? "create " : event == SHCNE_DELETE ? "delete " : event == SHCNE_UPDATEITEM ? "update " : "? ";
    told.push_back(kind + std::string(flags == SHCNF_PATHA ? static_cast<const char*>(item) : "?"));
}

TEST(ProfileShortcut, ItIsKnownByItsFileHoweverThePathIsSpeltAndTheShellIsToldOfEachChange) {
    char program[MAX_PATH], shortName[MAX_PATH], desktop[MAX_PATH], link[160];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, program, sizeof program));
    // Started through its 8.3 name (C:\PROGRA~1\...), the program's path reads otherwise.
    ASSERT_NE(0u, GetShortPathNameA(program, shortName, sizeof shortName));
    ASSERT_NE(0, lstrcmpiA(program, shortName)) << "no other spelling of " << program;
    ASSERT_EQ(1, getSpecialFolderPath(nullptr, CSIDL_DESKTOP, desktop));
    ASSERT_EQ(1, composeProfileLinkName("Office", link, sizeof link));
    const std::string path = std::string(desktop) + "\\" + link;
    ScratchDir dir;
    const std::string copy = dir.file("tessaly.exe");  // another file, though alike
    ASSERT_TRUE(CopyFileA(program, copy.c_str(), FALSE));
    late::SHChangeNotify.standIn = recordChange;

    ASSERT_EQ(1, createShellLink(copy.c_str(), "/L \"Office\"", path.c_str()));
    EXPECT_EQ(0, hasProfileShortcut(nullptr, "Office")) << "a link to another file";
    EXPECT_EQ(0, deleteProfileShortcut(nullptr, "Office"));
    ASSERT_EQ(1, createShellLink(shortName, "/L \"Office\"", path.c_str()));
    EXPECT_EQ(1, hasProfileShortcut(nullptr, "Office"));
    EXPECT_EQ(1, deleteProfileShortcut(nullptr, "Office"));
    EXPECT_EQ(1, createProfileShortcut(nullptr, "Office"));
    EXPECT_EQ(1, createProfileShortcut(nullptr, "Office"));
    EXPECT_EQ(1, deleteProfileShortcut(nullptr, "Office"));
    endStandIns();
    EXPECT_EQ((std::vector<std::string>{"create " + path, "update " + path, "delete " + path, "create " + path,
                                        "update " + path, "delete " + path}),
              told);
}

}  // namespace
