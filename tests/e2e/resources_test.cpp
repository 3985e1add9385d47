// The resources of the built tessaly.exe, read as data with the system's own calls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/automation.h"

namespace {

class ExeResources : public ::testing::Test {
protected:
    void SetUp() override {
        module = LoadLibraryExA(tessalyExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module);
    }
    void TearDown() override {
        if (module != nullptr) FreeLibrary(module);
    }
    HMODULE module = nullptr;
};

struct MenuItem {
    UINT id;  // 0 for a separator
    const char* text;
};

std::vector<std::string> describe(HMENU menu) {
    std::vector<std::string> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_TYPE | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = text;
        info.cch = sizeof text;
        GetMenuItemInfoA(menu, i, TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            items.push_back("-");
        } else {
            items.push_back(std::to_string(info.hSubMenu ? 0 : info.wID) + " " + text +
                            (info.fState & (MFS_GRAYED | MFS_CHECKED) ? " (state)" : ""));
        }
    }
    return items;
}

TEST_F(ExeResources, MainMenuHasEveryItemInOrder) {
    HMENU menu = LoadMenuA(module, "IDM_MAIN_MENU");
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ((std::vector<std::string>{"0 ネットワーク(&N)", "0 オプション(&O)", "0 ヘルプ(&H)"}),
              describe(menu));
    EXPECT_EQ((std::vector<std::string>{"500 ネットワークの設定を選択(&O)",
                                        "501 ネットワークの設定を保存(&S)", "-",
                                        "502 インターネットプロトコル(TCP/IP)の設定", "-",
                                        "503 終了(&X)"}),
              describe(GetSubMenu(menu, 0)));
    EXPECT_EQ((std::vector<std::string>{"504 「選択」専用のショートカットを作成",
                                        "505 「保存」専用のショートカットを作成", "-",
                                        "506 「インターネットプロトコル設定」専用のショートカット作成",
                                        "-", "507 設定(&S)"}),
              describe(GetSubMenu(menu, 1)));
    EXPECT_EQ((std::vector<std::string>{"508 バージョン情報(&V)"}), describe(GetSubMenu(menu, 2)));
    DestroyMenu(menu);
}

TEST_F(ExeResources, Icon600Has32And16PixelImagesOf16Colours) {
    HRSRC group = FindResourceA(module, MAKEINTRESOURCEA(600), MAKEINTRESOURCEA(14));  // RT_GROUP_ICON
    ASSERT_NE(nullptr, group);
    const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, group)));
    ASSERT_NE(nullptr, data);
    // GRPICONDIR: reserved, type 1, count; then 14-byte entries.
    ASSERT_EQ(1, data[2] | data[3] << 8);
    const int count = data[4] | data[5] << 8;
    std::vector<std::string> images;
    for (int i = 0; i < count; ++i) {
        const BYTE* entry = data + 6 + 14 * i;
        const int bitCount = entry[6] | entry[7] << 8;
        images.push_back(std::to_string(entry[0]) + "x" + std::to_string(entry[1]) + " colours " +
                         std::to_string(entry[2]) + " bits " + std::to_string(bitCount));
    }
    EXPECT_EQ((std::vector<std::string>{"32x32 colours 16 bits 4", "16x16 colours 16 bits 4"}), images);
    EXPECT_NE(nullptr, LoadImageA(module, MAKEINTRESOURCEA(600), IMAGE_ICON, 16, 16, 0));
}

TEST(ExeVersion, FilePropertiesNameTheProductAndVersion) {
    const std::string exe = tessalyExePath();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &handle);
    ASSERT_NE(0u, size);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, data.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010003u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00010003u, fixed->dwProductVersionMS);

    const char* keys[][2] = {{"ProductName", "Tessaly"},
                             {"ProductVersion", "1.3"},
                             {"FileVersion", "1.3"},
                             {"OriginalFilename", "tessaly.exe"}};
    for (const auto& key : keys) {
        char* value = nullptr;
        const std::string path = std::string("\\StringFileInfo\\041103A4\\") + key[0];
        ASSERT_TRUE(VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
            << key[0];
        EXPECT_STREQ(key[1], value) << key[0];
    }
}

}  // namespace
