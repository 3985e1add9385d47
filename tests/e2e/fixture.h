// What every end-to-end test starts from, and the checks they share.
#pragma once

#include <gtest/gtest.h>

#include "e2e/automation.h"
#include "netcmd/command_runner.h"
#include "win/support.h"

// A fresh working directory where the first-run offer was already made, on the freshly
// seeded simulated network, with the netsh stand-in logging into log. The fault switches
// are cleared and the machine is seeded again afterwards.
class ToolTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The command lines the netsh stand-in received, in order.
    std::vector<std::string> logged() const { return crlfLines(readWholeFile(log)); }
    // The catalogue and every script in the directory, names and contents, to compare
    // before and after a fault.
    std::string savedFiles() const;
    // Starts a one-task mode and waits for its task's dialog, or the visible tool until it
    // takes input; a window that does not come is a failure of the test.
    HWND startTask(TessalyRun& run, const char* tail, const char* dialogTitle);
    HWND startVisible(TessalyRun& run);
    // The machine's settings as the stand-in dumps them.
    std::string settingsNow() {
        EXPECT_EQ(1, runner.dumpSettings(dir.file("now.txt").c_str()));
        return readWholeFile(dir.file("now.txt"));
    }

    ScratchDir dir;
    std::string log = dir.file("netsh.log");
    CommandRunner runner;
};

// Waits for a box of this title, presses the button and returns its text once the box is
// gone, marked "[OK Cancel] " or "[Yes No Cancel] " by the buttons the box offers.
std::string answerBox(TessalyRun& run, const char* title, int button = IDOK);
// The process ends within the wait, with that exit code.
void expectEndsWith(TessalyRun& run, DWORD exitCode);
inline void expectEndsWithZero(TessalyRun& run) { expectEndsWith(run, 0); }
// Ends the visible tool through its menu (503) and checks the exit code.
void exitThroughMenu(TessalyRun& run, HWND mainWindow);
