// List box texts as a double-byte Windows reports them: LB_GETTEXTLEN counts up to two bytes
// a character (documented: "may be larger than the actual length"), which Wine does not.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "common/dialog_text.h"
#include "profiles/profile_catalog.h"

namespace {

const char* listedText = "";

LRESULT CALLBACK doubleByteList(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == LB_GETTEXTLEN) return 2 * static_cast<LRESULT>(lstrlenA(listedText));
    if (message == LB_GETTEXT) return lstrlenA(lstrcpyA(reinterpret_cast<char*>(lParam), listedText));
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(DialogText, ANameOfTheLongestKindIsReadWhateverLengthTheListReports) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = doubleByteList;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "DoubleByteList";
    ASSERT_NE(0, RegisterClassA(&windowClass));
    HWND list = CreateWindowA("DoubleByteList", "", 0, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(nullptr, list);
    const std::string longest(kProfileNameSize - 1, 'x'), japanese = "事務所（３階）";
    for (const std::string& name : {longest, japanese, std::string()}) {
        listedText = name.c_str();
        char read[2 * kProfileNameSize];
        std::memset(read, 0xCC, sizeof read);
        EXPECT_EQ(1, readListItemText(list, 0, read, sizeof read));
        EXPECT_EQ(name, read);
    }
    listedText = japanese.c_str();
    char small[8];
    EXPECT_EQ(0, readListItemText(list, 0, small, sizeof small)) << "a text the room cannot hold is not read";
    EXPECT_EQ('\0', small[0]);
    DestroyWindow(list);
    UnregisterClassA("DoubleByteList", windowClass.hInstance);
}

}  // namespace
