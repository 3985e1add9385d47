// gtest checks shared by the end-to-end tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TessalyRun;
class ScratchDir;

// The process ends within the wait, with exit code 0.
void expectEndsWithZero(TessalyRun& run);
// Ends the visible tool through its menu (503) and checks the exit code.
void exitThroughMenu(TessalyRun& run, HWND mainWindow);
// A settings file saying the first-run offer was made, so a start shows no offer.
void writeNotFirstRun(const ScratchDir& dir);

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

