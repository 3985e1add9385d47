// A profile's desktop shortcut is this program's by its file, however the path to it is
// spelt and however alike a copy is, and the shell hears of every shortcut written or deleted.
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

// A link is this program's only when it starts this very file: through another spelling of
// its path (the 8.3 name) it is; to a copy it is not, even to one beside the program on its
// volume, where only the file's index tells the two apart.
TEST(ProfileShortcut, ItIsKnownByItsFileNotItsSpellingNorACopyBesideItAndTheShellIsToldOfEachChange) {
    char program[MAX_PATH], shortName[MAX_PATH], desktop[MAX_PATH], link[160];
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, program, sizeof program));
    // Started through its 8.3 name (C:\PROGRA~1\...), the program's path reads otherwise.
    ASSERT_NE(0u, GetShortPathNameA(program, shortName, sizeof shortName));
    ASSERT_NE(0, lstrcmpiA(program, shortName)) << "no other spelling of " << program;
    ASSERT_EQ(1, getSpecialFolderPath(nullptr, CSIDL_DESKTOP, desktop));
    ASSERT_EQ(1, composeProfileLinkName("Office", link, sizeof link));
    const std::string self = program, path = std::string(desktop) + "\\" + link;
    ScratchDir dir;  // in the temporary folder, on another drive
    const std::string beside = self.substr(0, self.rfind('\\') + 1) + "copy" + std::to_string(GetCurrentProcessId()) + ".exe";
    const struct { std::string target; int ours; } cases[] = {{beside, 0}, {dir.file("tessaly.exe"), 0}, {shortName, 1}};
    for (const auto& c : cases) ASSERT_TRUE(c.ours || CopyFileA(program, c.target.c_str(), FALSE)) << c.target;
    late::SHChangeNotify.standIn = recordChange;

    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        ASSERT_EQ(1, createShellLink(cases[i].target.c_str(), "/L \"Office\"", path.c_str())) << "case " << i;
        EXPECT_EQ(cases[i].ours, hasProfileShortcut(nullptr, "Office")) << "case " << i << ": " << cases[i].target;
        EXPECT_EQ(cases[i].ours, deleteProfileShortcut(nullptr, "Office")) << "case " << i;
        EXPECT_EQ(!cases[i].ours, fileExists(path)) << "case " << i << ": a link not its own stays";
    }
    EXPECT_EQ(1, createProfileShortcut(nullptr, "Office"));
    EXPECT_EQ(1, createProfileShortcut(nullptr, "Office"));
    EXPECT_EQ(1, deleteProfileShortcut(nullptr, "Office"));
    endStandIns();
    DeleteFileA(beside.c_str());
    EXPECT_EQ((std::vector<std::string>{"create " + path, "update " + path, "update " + path, "delete " + path,
                                        "create " + path, "update " + path, "delete " + path}),
              told);
}

}  // namespace
