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

    // Starts the tool with the command-line tail, or a program (the tool or a copy) with a
    // whole command line; nothing starts outside the simulated network (no real netsh).
    bool start(const std::string& tail, const std::string& workDir);
    bool startCommandLine(const std::string& commandLine, const std::string& exePath, const std::string& workDir);
    // True with the exit code when the process ended within the time.
    bool waitForExit(DWORD timeoutMs, DWORD* exitCode);

    // The visible top-level windows of this process (any class or title for null); a
    // dialog or message box by title.
    std::vector<HWND> windows(const char* className, const char* title) const;
    HWND waitForWindow(const char* className, const char* title, DWORD timeoutMs = kWaitMs) const;
    HWND waitForDialog(const char* title, DWORD timeoutMs = kWaitMs) const;
    // The visible tool ready for input: its main window on the screen, taking messages,
    // and enabled, which it is not while a modal box (an offer, a refusal) stands above it.
    HWND waitForMainWindow(DWORD timeoutMs = kWaitMs) const;
    // "class 'title' 'text'" of each visible window, for failure messages.
    std::string describeWindows() const;

private:
    bool isRunning() const;
    PROCESS_INFORMATION process_ = {};
};

std::string tessalyExePath();  // as a Windows path
// The visible top-level windows of any process (any class or title for null).
std::vector<HWND> visibleWindowsOf(DWORD processId, const char* className, const char* title);

// Reading another process's windows: a control's own text (not the caption Wine keeps),
// a top-level window's title, a message box's text.
std::string itemText(HWND dialog, int id);
std::string windowText(HWND window);
std::string messageBoxText(HWND box);
bool isEnabled(HWND dialog, int id);
bool isChecked(HWND dialog, int id);
std::vector<std::string> listItems(HWND dialog, int id);
// An IP address control as "a.b.c.d" from its four edit parts (blank parts empty).
std::string ipText(HWND dialog, int id);

// Acting on them. Posted actions return at once; the others once the window handled them.
void pressButton(HWND dialog, int id);  // posted, as the dialog manager reports a click
void postCommand(HWND window, int commandId);
void click(HWND dialog, int id);        // BM_CLICK: radio buttons and their handlers
void sendCommand(HWND window, int id);  // e.g. IDCANCEL, as the Esc key sends it
void typeText(HWND dialog, int id, const std::string& text);
void typeIp(HWND dialog, int id, const std::string& address);
void chooseComboItem(HWND dialog, int id, int index);
void focusControl(HWND dialog, int id);  // as tabbing into it does
bool waitForWindowGone(HWND window, DWORD timeoutMs = kWaitMs);
// True once the condition holds, false when the time ran out first.
template <typename Condition>
bool waitUntil(Condition condition, DWORD timeoutMs = kWaitMs) {
    for (DWORD waited = 0; !condition(); waited += 50) {
        if (waited >= timeoutMs) return false;
        Sleep(50);
    }
    return true;
}
// Wine's taskbar at the foot of its virtual desktop, shown while it holds a notification icon
// or a window's button; null while hidden.
HWND visibleTaskbar();

// The headers of a 24-bit bottom-up .bmp file; rows of (width * 3 rounded up to 4) bytes
// follow them, bottom row first.
std::string bitmapFileHeaders(int width, int height);
