// Drives tessaly.exe from a test: start it, find its windows, read and press them,
// and make sure it ends. Every wait has a timeout, and a process still running when
// its TessalyRun goes out of scope is ended, so no test can hang the suite.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr DWORD kWaitMs = 10000;

class TessalyRun {
public:
    TessalyRun() = default;
    ~TessalyRun();
    TessalyRun(const TessalyRun&) = delete;
    TessalyRun& operator=(const TessalyRun&) = delete;

    // Starts the program with the command-line tail (may be empty) in workDir. The
    // program path defaults to the tessaly.exe under test. Refuses to start anything
    // unless the simulated network is installed.
    bool start(const std::string& tail, const std::string& workDir, const std::string& exePath = "");
    // Starts with a whole command line of the caller's making.
    bool startCommandLine(const std::string& commandLine, const std::string& exePath,
                          const std::string& workDir);

    DWORD processId() const { return process_.dwProcessId; }
    // True with the exit code when the process ended within the time.
    bool waitForExit(DWORD timeoutMs, DWORD* exitCode);
    bool isRunning() const;
    void kill();

    // A visible top-level window of this process with the class and, if given, title.
    HWND waitForWindow(const char* className, const char* title, DWORD timeoutMs = kWaitMs) const;
    HWND waitForMainWindow(DWORD timeoutMs = kWaitMs) const;
    // A dialog (message box included) of this process, by title.
    HWND waitForDialog(const char* title, DWORD timeoutMs = kWaitMs) const;
    std::vector<HWND> visibleWindows() const;
    // "class 'title'" of each visible window, for failure messages.
    std::string describeWindows() const;

private:
    PROCESS_INFORMATION process_ = {};
};

// The tessaly.exe under test, as a Windows path.
std::string tessalyExePath();
std::string windowText(HWND window);
// The text of a message box (its static text control).
std::string messageBoxText(HWND box);
// True when the dialog has a visible, enabled button with this id.
bool hasButton(HWND dialog, int id);
// Clicks a button the way the dialog manager reports it, without blocking on the result.
void pressButton(HWND dialog, int id);
void typeText(HWND dialog, int controlId, const std::string& text);
// Posts a menu command to the window.
void postCommand(HWND window, int commandId);
// Waits until the window is gone.
bool waitForWindowGone(HWND window, DWORD timeoutMs = kWaitMs);

// The file and info headers of a 24-bit bottom-up .bmp file; rows of
// (width * 3 rounded up to 4) bytes follow them, bottom row first.
std::string bitmapFileHeaders(int width, int height);
// Saves what the screen shows of the window (frame included) as a 24-bit .bmp file.
bool saveWindowPicture(HWND window, const std::string& bmpPath);
