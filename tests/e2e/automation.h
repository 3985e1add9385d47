// Drives tessaly.exe from outside: start it, find its windows, read and press them, and
// make sure it ends. Every wait has a timeout, and a process still running when its
// TessalyRun goes out of scope is ended, so no test can hang the suite.
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

    // Starts the program with the command-line tail (may be empty) in workDir. Refuses
    // to start anything unless the simulated network is installed.
    bool start(const std::string& tail, const std::string& workDir);
    // Starts a program (the tool or a copy of it) with a command line of the caller's making.
    bool startCommandLine(const std::string& commandLine, const std::string& exePath, const std::string& workDir);

    // True with the exit code when the process ended within the time.
    bool waitForExit(DWORD timeoutMs, DWORD* exitCode);
    bool isRunning() const;
    void kill();

    // A visible top-level window of this process with the class and, if given, title.
    HWND waitForWindow(const char* className, const char* title, DWORD timeoutMs = kWaitMs) const;
    // The visible tool ready for input: its main window on the screen, idle, and enabled,
    // which it is not while a modal box (an offer, a refusal) stands above it.
    HWND waitForMainWindow(DWORD timeoutMs = kWaitMs) const;
    // A dialog (message box included) of this process, by title.
    HWND waitForDialog(const char* title, DWORD timeoutMs = kWaitMs) const;
    // The visible top-level windows of this process (every class or title for null).
    std::vector<HWND> windows(const char* className, const char* title) const;
    // "class 'title' 'text'" of each visible window, for failure messages.
    std::string describeWindows() const;

private:
    PROCESS_INFORMATION process_ = {};
};

// The tessaly.exe under test, as a Windows path.
std::string tessalyExePath();

// Reading another process's controls: their own text, not the caption Wine keeps.
std::string controlText(HWND control);
std::string windowText(HWND window);  // a top-level window's title
std::string messageBoxText(HWND box);
std::string itemText(HWND dialog, int id);
bool hasButton(HWND dialog, int id);  // visible and enabled
bool isEnabled(HWND dialog, int id);
bool isChecked(HWND dialog, int id);
std::vector<std::string> listItems(HWND dialog, int id);
// An IP address control as "a.b.c.d" from its four edit parts (blank parts empty).
std::string ipText(HWND dialog, int id);

// Acting on them. Posted actions return at once; sent ones after the dialog handled them.
void pressButton(HWND dialog, int id);  // posted, as the dialog manager reports a click
void click(HWND dialog, int id);        // sent BM_CLICK: radio buttons and their handlers
void typeText(HWND dialog, int id, const std::string& text);
void typeIp(HWND dialog, int id, const std::string& address);
void chooseComboItem(HWND dialog, int id, int index);
void focusControl(HWND dialog, int id);  // as tabbing into it does
void sendCommand(HWND window, int id);   // sent WM_COMMAND, e.g. IDCANCEL for the Esc key
void postCommand(HWND window, int commandId);
bool waitForWindowGone(HWND window, DWORD timeoutMs = kWaitMs);

// The file and info headers of a 24-bit bottom-up .bmp file; rows of (width * 3 rounded
// up to 4) bytes follow them, bottom row first.
std::string bitmapFileHeaders(int width, int height);
