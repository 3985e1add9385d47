// The start-up state and its settings file.
#include "app/app_state.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "win/support.h"

namespace {

TEST(AppState, FirstTimeComesFromTheSettingsFileAndIsWrittenAsZero) {
    ScratchDir dir;
    dir.enter();
    const struct { const char* content; int firstTime; } cases[] = {  // content null: no file
        {nullptr, 1},                      {"[Basic]\r\nFirstTime=2\r\n", 2},
        {"[Basic]\r\nFirstTime=\r\n", 0}, {"[Basic]\r\nOther=0\r\n", 1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        DeleteFileA("tessaly.ini");
        if (cases[i].content != nullptr) writeWholeFile("tessaly.ini", cases[i].content);
        AppState state(".\\tessaly.ini");
        state.loadFirstTime();
        EXPECT_EQ(cases[i].firstTime, state.firstTime) << "case " << i;
        state.saveFirstTime();
        EXPECT_EQ(0, static_cast<int>(GetPrivateProfileIntA("Basic", "FirstTime", 7, ".\\tessaly.ini"))) << "case " << i;
    }
}

}  // namespace
