#include "app_state.h"

#include "../common/private_profile.h"
#include "../common/profile_text.h"

AppState* appState = nullptr;

namespace {
constexpr char kSection[] = "Basic";
constexpr char kFirstTimeKey[] = "FirstTime";
}  // namespace

AppState::AppState(const char* settingsFilePath)
    : firstTime(1), launchMode(Normal), exitCode(0) {
    copyTextCut(settingsPath, sizeof settingsPath, settingsFilePath);
}

int AppState::loadFirstTime() {
    firstTime = readProfileInt(settingsPath, kSection, kFirstTimeKey, 1);
    return 1;
}

int AppState::saveFirstTime() {
    writeProfileInt(settingsPath, kSection, kFirstTimeKey, 0);
    return 1;
}
