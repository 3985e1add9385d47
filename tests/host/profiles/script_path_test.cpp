#include "profiles/script_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "host/composed_text.h"

namespace {

// 表, ソ and 能 end in the byte of '\'; ― in that of '|'.
#define HYO "\x95\x5C"
#define SO "\x83\x5C"
#define NO "\x94\x5C"

struct PathCase {
    const char* path;
    int inFolder;
};

TEST(ScriptPath, OnlyAFileOfTheWorkingFolderIsOpened) {
    const PathCase cases[] = {
        {".\\000.dmp", 1}, {"000.dmp", 1}, {"sub\\000.dmp", 1}, {"./000.dmp", 1}, {".\\..x.dmp", 1},
        {".\\CONFIG.dmp", 1}, {".\\COM10.dmp", 1}, {".\\LPT0.dmp", 1}, {".\\NULL", 1}, {".\\x.dmp.", 1},
        // Shift-JIS: a second byte of '\' is not a separator, nor does it end a part.
        {".\\" HYO ".dmp", 1}, {SO "..\\000.dmp", 1}, {HYO "CON.dmp", 1}, {".\\" NO, 1}, {"\x81\x7C.dmp", 1},
        {"\xB1\xB2.dmp", 1},
        // Servers, pipes, devices and the root.
        {"\\\\host\\share\\x.dmp", 0}, {"\\\\.\\pipe\\x", 0}, {"\\\\?\\C:\\x.dmp", 0}, {"//host/share/x.dmp", 0},
        {"\\x.dmp", 0}, {"/x.dmp", 0},
        // Drives and streams.
        {"A:\\x.dmp", 0}, {"A:x.dmp", 0}, {"x.dmp:hidden", 0},
        // Out of the folder, or parts that are trimmed into a way out.
        {"..\\x.dmp", 0}, {".\\..\\x.dmp", 0}, {"sub\\..\\..\\x.dmp", 0}, {"../x.dmp", 0}, {"...\\x.dmp", 0},
        {".. \\x.dmp", 0}, {"sub\\..", 0}, {HYO "\\..\\x.dmp", 0},
        // Devices, in any letter case, with or without an extension, in any part.
        {"CON", 0}, {"con.dmp", 0}, {".\\NUL.txt", 0}, {"sub\\COM1", 0}, {"LPT9.dmp", 0}, {"AUX .dmp", 0},
        {"prn", 0}, {"CONOUT$", 0}, {"conin$.x", 0}, {".\\Com5.dmp", 0},
        // Empty parts, a folder, wildcards, control bytes, a lead byte without its partner.
        {"", 0}, {"sub\\\\x.dmp", 0}, {"sub\\", 0}, {"x*.dmp", 0}, {"x?.dmp", 0}, {"x<y", 0}, {"x|y", 0},
        {"x\"y", 0}, {"x\ty", 0}, {"\x81:\\x.dmp", 0}, {"x\x81", 0},
    };
    // On a system of another code page a byte above ASCII may stand alone and the '\' after
    // it part the path (HYO "CON.dmp" names a device there): such a path is refused.
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const std::string path = cases[i].path;
        const int ascii = std::all_of(path.begin(), path.end(), [](char c) { return (c & 0x80) == 0; });
        EXPECT_EQ(cases[i].inFolder, isPathInWorkingFolder(cases[i].path, 1)) << "case " << i << ": " << path;
        EXPECT_EQ(ascii && cases[i].inFolder, isPathInWorkingFolder(cases[i].path, 0)) << "case " << i << ": " << path;
    }
    EXPECT_EQ(0, isPathInWorkingFolder(nullptr, 1));
}

TEST(ScriptPath, TheRefusalNamesThePathOnALineOfItsOwn) {
    char* text = nullptr;
    EXPECT_EQ(std::string(kOutsideFolderText) + "\r\n（..\\x.dmp）",
              take(composeOutsideFolderReport("..\\x.dmp", "\r\n", &text), text));
}

}  // namespace
