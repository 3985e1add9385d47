// gtest checks shared by the end-to-end tests.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win/scratch_dir.h"

class TessalyRun;

// A test on the freshly seeded simulated network, in a fresh working directory where
// the first-run offer was already made; the netsh stand-in logs into log. The fault
// switches are cleared and the machine is seeded again afterwards.
class OnTheSimulatedNetwork : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The command lines the netsh stand-in received, in order.
    std::vector<std::string> logged() const;

    ScratchDir dir;
    std::string log;
};

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

