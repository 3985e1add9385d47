#include "automation.h"

#include <algorithm>
#include <cstdio>

#include "sim_registry.h"
#include "win/support.h"

namespace {

constexpr DWORD kPollMs = 20;

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && IsWindowVisible(window) &&
        (search->className == nullptr || std::string(className) == search->className) &&
        (search->title == nullptr || windowText(window) == search->title))
        search->found.push_back(window);
    return TRUE;
}

DWORD_PTR sendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kWaitMs, &result);
    return result;
}

std::string controlText(HWND control) {
    char text[4096] = "";
    sendAndWait(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Enumeration callbacks are stdcall on 32-bit, where a lambda does not convert to them.
BOOL CALLBACK collectChild(HWND child, LPARAM out) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(child);
    return TRUE;
}

std::vector<HWND> children(HWND parent) {
    std::vector<HWND> list;
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&list));
    return list;
}

}  // namespace

std::string tessalyExePath() { return windowsPathOf(TESSALY_EXE); }

TessalyRun::~TessalyRun() {
    if (process_.hProcess == nullptr) return;
    if (isRunning() && TerminateProcess(process_.hProcess, 0xDEAD)) WaitForSingleObject(process_.hProcess, kWaitMs);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool TessalyRun::start(const std::string& tail, const std::string& workDir) {
    const std::string program = tessalyExePath();
    return startCommandLine("\"" + program + "\"" + (tail.empty() ? "" : " " + tail), program, workDir);
}

bool TessalyRun::startCommandLine(const std::string& commandLine, const std::string& exePath,
                                  const std::string& workDir) {
    if (!simulationInstalled()) {
        std::fprintf(stderr, "the simulated network is not installed in this prefix (sim/install)\n");
        return false;
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string line = commandLine;
    return CreateProcessA(exePath.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, workDir.c_str(), &startup,
                          &process_) != 0;
}

bool TessalyRun::waitForExit(DWORD timeoutMs, DWORD* exitCode) {
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0 &&
           GetExitCodeProcess(process_.hProcess, exitCode);
}

bool TessalyRun::isRunning() const {
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> visibleWindowsOf(DWORD processId, const char* className, const char* title) {
    WindowSearch search = {processId, className, title, {}};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> TessalyRun::windows(const char* className, const char* title) const {
    return visibleWindowsOf(process_.dwProcessId, className, title);
}

HWND TessalyRun::waitForWindow(const char* className, const char* title, DWORD timeoutMs) const {
    for (const DWORD started = GetTickCount();; Sleep(kPollMs)) {
        const std::vector<HWND> found = windows(className, title);
        if (!found.empty()) return found.front();
        if (GetTickCount() - started >= timeoutMs || !isRunning()) return nullptr;
    }
}

HWND TessalyRun::waitForDialog(const char* title, DWORD timeoutMs) const {
    return waitForWindow("#32770", title, timeoutMs);
}

HWND TessalyRun::waitForMainWindow(DWORD timeoutMs) const {
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    for (const DWORD started = GetTickCount(); GetTickCount() - started < timeoutMs && isRunning(); Sleep(kPollMs)) {
        HWND window = waitForWindow("Tessaly", nullptr, timeoutMs);
        // The round trip returns once the thread takes messages: in its message loop, or
        // in a modal box's loop, which has disabled the window first.
        sendAndWait(window, WM_NULL, 0, 0);
        RECT area;
        if (GetWindowRect(window, &area) && area.left < desktop.right && area.top < desktop.bottom &&
            IsWindowEnabled(window))
            return window;
    }
    return nullptr;
}

std::string TessalyRun::describeWindows() const {
    std::string out = "windows:";
    for (HWND window : windows(nullptr, nullptr)) out += " '" + windowText(window) + "' '" + messageBoxText(window) + "'";
    DWORD code = 0;
    const bool ended = process_.hProcess != nullptr && !isRunning() && GetExitCodeProcess(process_.hProcess, &code);
    return out + (process_.hProcess == nullptr ? "; not started" : ended ? "; ended with " + std::to_string(code) : "");
}

std::string windowText(HWND window) {
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string itemText(HWND dialog, int id) { return controlText(GetDlgItem(dialog, id)); }
std::string messageBoxText(HWND box) { return itemText(box, 0xFFFF); }
bool isEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != 0; }
bool isChecked(HWND dialog, int id) { return sendAndWait(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

std::vector<std::string> listItems(HWND dialog, int id) {
    std::vector<std::string> items;
    HWND list = GetDlgItem(dialog, id);
    for (LRESULT i = 0, count = SendMessageA(list, LB_GETCOUNT, 0, 0); i < count; ++i) {
        // Across processes Wine passes list texts whole only in their wide form.
        wchar_t wide[256] = L"";
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        char text[512] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        items.push_back(text);
    }
    return items;
}

std::string ipText(HWND dialog, int id) {
    std::string text;
    for (HWND part : children(GetDlgItem(dialog, id))) text += controlText(part) + ".";
    return text.substr(0, text.size() - 1);
}

void pressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void postCommand(HWND window, int commandId) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0); }
void click(HWND dialog, int id) { sendAndWait(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void sendCommand(HWND window, int id) { sendAndWait(window, WM_COMMAND, id, 0); }

void typeText(HWND dialog, int id, const std::string& text) {
    sendAndWait(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void typeIp(HWND dialog, int id, const std::string& address) {
    size_t start = 0;
    for (HWND part : children(GetDlgItem(dialog, id))) {
        const size_t end = std::min(address.find('.', start), address.size());
        sendAndWait(part, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(address.substr(start, end - start).c_str()));
        start = std::min(end + 1, address.size());
    }
}

void chooseComboItem(HWND dialog, int id, int index) {
    sendAndWait(GetDlgItem(dialog, id), CB_SETCURSEL, index, 0);
    sendAndWait(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void focusControl(HWND dialog, int id) {
    sendAndWait(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, id)), TRUE);
}

HWND visibleTaskbar() {
    HWND bar = FindWindowA("Shell_TrayWnd", nullptr);
    return bar != nullptr && IsWindowVisible(bar) ? bar : nullptr;
}

bool waitForWindowGone(HWND window, DWORD timeoutMs) {
    for (const DWORD started = GetTickCount(); IsWindow(window); Sleep(kPollMs))
        if (GetTickCount() - started >= timeoutMs) return false;
    return true;
}

std::string bitmapFileHeaders(int width, int height) {
    const DWORD imageSize = ((width * 3 + 3) & ~3) * height, headersSize = 54;
    const BITMAPINFOHEADER info = {sizeof info, width, height, 1, 24, BI_RGB, imageSize, 0, 0, 0, 0};
    const BITMAPFILEHEADER file = {0x4D42, headersSize + imageSize, 0, 0, headersSize};
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info);
}
