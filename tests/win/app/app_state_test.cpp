// The start-up state and its settings file.
#include "app/app_state.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "win/scratch_dir.h"

namespace {

TEST(AppState, StartsAsAFirstRunInNormalMode) {
    AppState state(".\\tessaly.ini");
    EXPECT_STREQ(".\\tessaly.ini", state.settingsPath);
    EXPECT_EQ(1, state.firstTime);
    EXPECT_EQ(Normal, state.launchMode);

    AppState nullPath(nullptr);
    EXPECT_STREQ("", nullPath.settingsPath);
}

TEST(AppState, LongSettingsPathIsCutTo260BytesOnACharacterBoundary) {
    // 259 single bytes, then a two-byte character that would end past byte 260.
    const std::string path = std::string(259, 'a') + "\x90\xDD" + "tail";
    AppState state(path.c_str());
    EXPECT_EQ(259u, strlen(state.settingsPath));
    const std::string evenPath = std::string(258, 'a') + "\x90\xDD" + "tail";
    AppState even(evenPath.c_str());
    EXPECT_EQ(260u, strlen(even.settingsPath));
}

TEST(AppState, FirstTimeComesFromTheSettingsFileAndIsWrittenAsZero) {
    ScratchDir dir;
    dir.enter();
    const struct {
        const char* content;  // null: no file
        int firstTime;
    } cases[] = {
        {nullptr, 1},
        {"[Basic]\r\nFirstTime=1\r\n", 1},
        {"[Basic]\r\nFirstTime=2\r\n", 2},
        {"[Basic]\r\nFirstTime=\r\n", 0},
        {"[Basic]\r\nFirstTime=abc\r\n", 0},
        {"[Basic]\r\nFirstTime=0\r\n", 0},
        {"[basic]\r\nfirsttime=0\r\n", 0},
        {"[Basic]\r\nOther=0\r\n", 1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        DeleteFileA("tessaly.ini");
        if (cases[i].content != nullptr) writeWholeFile("tessaly.ini", cases[i].content);
        AppState state(".\\tessaly.ini");
        EXPECT_EQ(1, state.loadFirstTime());
        EXPECT_EQ(cases[i].firstTime, state.firstTime) << "case " << i;
        EXPECT_EQ(1, state.saveFirstTime());
        EXPECT_EQ(0, static_cast<int>(GetPrivateProfileIntA("Basic", "FirstTime", 7, ".\\tessaly.ini")))
            << "case " << i;
    }
}

}  // namespace
