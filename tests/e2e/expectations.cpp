#include "expectations.h"

#include <gtest/gtest.h>

#include <string>

#include "automation.h"
#include "machine_seed.h"
#include "win/scratch_dir.h"
#include "win/sim_values.h"

namespace {

// A control's own text; a caption read across processes may not be its content.
std::string controlText(HWND control) {
    char text[512] = "";
    DWORD_PTR result = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, kWaitMs,
                        &result);
    return text;
}

}  // namespace

void expectControls(HWND dialog, const std::vector<ControlExpectation>& controls) {
    for (const ControlExpectation& c : controls) {
        SCOPED_TRACE(c.id);
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(nullptr, control);
        char className[64] = "";
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(c.className, className);
        if (c.text != nullptr) {
            EXPECT_EQ(c.text, controlText(control));
        }
        const LONG style = GetWindowLongA(control, GWL_STYLE);
        EXPECT_EQ(c.required, style & c.required);
        EXPECT_EQ(0, style & c.forbidden);
    }
}


void expectEndsWithZero(TessalyRun& run) {
    DWORD code = 0xDEADBEEF;
    ASSERT_TRUE(run.waitForExit(kWaitMs, &code)) << "still running: " << run.describeWindows();
    EXPECT_EQ(0u, code);
}

void exitThroughMenu(TessalyRun& run, HWND mainWindow) {
    postCommand(mainWindow, 503);
    expectEndsWithZero(run);
}

void writeNotFirstRun(const ScratchDir& dir) {
    writeWholeFile(dir.file("tessaly.ini"), "[Basic]\r\nFirstTime=0\r\n");
}

void OnTheSimulatedNetwork::SetUp() {
    ASSERT_EQ(1, seedSimulatedMachine());
    writeNotFirstRun(dir);
    log = dir.file("netsh.log");
    SetEnvironmentVariableA("TESSALY_SIM_LOG", log.c_str());
}

void OnTheSimulatedNetwork::TearDown() {
    for (const char* name : {"TESSALY_SIM_LOG", "TESSALY_SIM_EXIT_CODE", "TESSALY_SIM_NO_OUTPUT"})
        SetEnvironmentVariableA(name, nullptr);
    seedSimulatedMachine();
}

std::vector<std::string> OnTheSimulatedNetwork::logged() const { return crlfLines(readWholeFile(log)); }
