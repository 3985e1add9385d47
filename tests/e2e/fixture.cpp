#include "e2e/fixture.h"

#include "machine_seed.h"

void ToolTest::SetUp() {
    ASSERT_EQ(1, seedSimulatedMachine());
    writeWholeFile(dir.file("tessaly.ini"), "[Basic]\r\nFirstTime=0\r\n");
    SetEnvironmentVariableA("TESSALY_SIM_LOG", log.c_str());
}

void ToolTest::TearDown() {
    for (const char* name : {"TESSALY_SIM_LOG", "TESSALY_SIM_EXIT_CODE", "TESSALY_SIM_NO_OUTPUT", "TESSALY_SIM_DELAY_MS",
                             "TESSALY_SIM_IGNORE", "TESSALY_SIM_DHCP_ALREADY", "TESSALY_SIM_ARP_WAIT_MS", "TESSALY_SIM_ARP_LOG"})
        SetEnvironmentVariableA(name, nullptr);
    seedSimulatedMachine();
}

std::string ToolTest::savedFiles() const {
    std::string all = "dumplist.ini: " + readWholeFile(dir.file("dumplist.ini"));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(dir.file("*.dmp").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        all += std::string("|") + found.cFileName + ": " + readWholeFile(dir.file(found.cFileName));
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return all;
}

HWND ToolTest::startTask(TessalyRun& run, const char* tail, const char* dialogTitle) {
    HWND dialog = run.start(tail, dir.path()) ? run.waitForDialog(dialogTitle) : nullptr;
    if (dialog == nullptr) ADD_FAILURE() << "no dialog " << dialogTitle << "; " << run.describeWindows();
    return dialog;
}

HWND ToolTest::startVisible(TessalyRun& run) {
    HWND mainWindow = run.start("", dir.path()) ? run.waitForMainWindow() : nullptr;
    if (mainWindow == nullptr) ADD_FAILURE() << "no main window; " << run.describeWindows();
    return mainWindow;
}

std::string answerBox(TessalyRun& run, const char* title, int button) {
    HWND box = run.waitForDialog(title);
    if (box == nullptr) return "no box titled " + std::string(title) + "; windows: " + run.describeWindows();
    const bool cancel = IsWindowVisible(GetDlgItem(box, IDCANCEL)) && isEnabled(box, IDCANCEL);
    const bool yes = IsWindowVisible(GetDlgItem(box, IDYES));
    const std::string text = (yes ? "[Yes No Cancel] " : cancel ? "[OK Cancel] " : "") + messageBoxText(box);
    pressButton(box, button);
    return waitForWindowGone(box) ? text : "the box stayed: " + text;
}

void expectEndsWith(TessalyRun& run, DWORD exitCode) {
    DWORD code = 0xDEADBEEF;
    ASSERT_TRUE(run.waitForExit(kWaitMs, &code)) << "still running: " << run.describeWindows();
    EXPECT_EQ(exitCode, code);
}

void exitThroughMenu(TessalyRun& run, HWND mainWindow) {
    postCommand(mainWindow, 503);
    expectEndsWithZero(run);
}
