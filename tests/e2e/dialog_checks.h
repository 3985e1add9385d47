// gtest checks of a dialog's controls, read from another process.
#pragma once

#include <windows.h>

#include <vector>

// What a dialog control must be: class, text (null: not checked), style bits that must
// be set and bits that must be clear. expectControls checks each with gtest.
struct ControlExpectation {
    int id;
    const char* className;
    const char* text;
    LONG required;
    LONG forbidden;
};
void expectControls(HWND dialog, const std::vector<ControlExpectation>& controls);

