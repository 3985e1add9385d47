// The process-wide start-up state: settings file, first-run flag, launch mode.
#pragma once

#include "start_request.h"

class AppState {
public:
    explicit AppState(const char* settingsFilePath);

    // Reads "FirstTime" of section "Basic"; a missing file or key means a first run.
    int loadFirstTime();
    // Writes "FirstTime" as 0; the outcome of the write is not examined.
    int saveFirstTime();

    static constexpr int kPathSize = 261;
    char settingsPath[kPathSize];
    int firstTime;
    LaunchMode launchMode;
    int exitCode;             // exitCodeBeforeTask of the mode, then the task's outcome
};

// Created by WinMain before the main window and destroyed after the message loop.
extern AppState* appState;
