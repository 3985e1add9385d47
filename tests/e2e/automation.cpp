#include "automation.h"

#include <cstdio>
#include <cstring>

#include "sim_registry.h"

#include "win/scratch_dir.h"

namespace {

constexpr DWORD kPollMs = 20;

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
    std::vector<HWND>* all;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM lParam) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    if (search->all != nullptr) {
        search->all->push_back(window);
        return TRUE;
    }
    char className[256] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, search->className) != 0) return TRUE;
    if (search->title != nullptr && windowText(window) != search->title) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

std::string tessalyExePath() { return windowsPathOf(TESSALY_EXE); }

TessalyRun::~TessalyRun() {
    kill();
}

bool TessalyRun::start(const std::string& tail, const std::string& workDir, const std::string& exePath) {
    const std::string program = exePath.empty() ? tessalyExePath() : exePath;
    std::string commandLine = "\"" + program + "\"";
    if (!tail.empty()) commandLine += " " + tail;
    return startCommandLine(commandLine, program, workDir);
}

bool TessalyRun::startCommandLine(const std::string& commandLine, const std::string& exePath,
                                  const std::string& workDir) {
    // The tool runs netsh; outside the simulated network that would be the real one.
    if (!simulationInstalled()) {
        std::fprintf(stderr, "the simulated network is not installed in this prefix (sim/install)\n");
        return false;
    }
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    return CreateProcessA(exePath.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workDir.c_str(), &startup, &process_) != 0;
}

bool TessalyRun::waitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (process_.hProcess == nullptr) return false;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    DWORD code = 0xDEADBEEF;
    GetExitCodeProcess(process_.hProcess, &code);
    if (exitCode != nullptr) *exitCode = code;
    return true;
}

bool TessalyRun::isRunning() const {
    return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void TessalyRun::kill() {
    if (process_.hProcess == nullptr) return;
    if (isRunning()) {
        TerminateProcess(process_.hProcess, 0xDEAD);
        WaitForSingleObject(process_.hProcess, kWaitMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = PROCESS_INFORMATION();
}

HWND TessalyRun::waitForWindow(const char* className, const char* title, DWORD timeoutMs) const {
    const DWORD started = GetTickCount();
    for (;;) {
        WindowSearch search = {process_.dwProcessId, className, title, nullptr, nullptr};
        EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        if (GetTickCount() - started >= timeoutMs || !isRunning()) return nullptr;
        Sleep(kPollMs);
    }
}

HWND TessalyRun::waitForMainWindow(DWORD timeoutMs) const {
    HWND window = waitForWindow("Tessaly", nullptr, timeoutMs);
    // The window shows during its creation; wait until start-up is over and the tool
    // waits for input.
    if (window != nullptr) WaitForInputIdle(process_.hProcess, timeoutMs);
    return window;
}

HWND TessalyRun::waitForDialog(const char* title, DWORD timeoutMs) const {
    return waitForWindow("#32770", title, timeoutMs);
}

std::vector<HWND> TessalyRun::visibleWindows() const {
    std::vector<HWND> all;
    WindowSearch search = {process_.dwProcessId, nullptr, nullptr, nullptr, &all};
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
    return all;
}

std::string TessalyRun::describeWindows() const {
    std::string out;
    for (HWND window : visibleWindows()) {
        char className[64] = "";
        GetClassNameA(window, className, sizeof className);
        out += std::string(className) + " '" + windowText(window) + "' ";
        if (std::strcmp(className, "#32770") == 0) out += "text '" + messageBoxText(window) + "' ";
    }
    return out.empty() ? "no visible window" : out;
}

std::string windowText(HWND window) {
    char text[4096] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string messageBoxText(HWND box) {
    char text[4096] = "";
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

bool hasButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    return button != nullptr && IsWindowVisible(button) && IsWindowEnabled(button);
}

void pressButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void typeText(HWND dialog, int controlId, const std::string& text) {
    SendDlgItemMessageA(dialog, controlId, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void postCommand(HWND window, int commandId) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

bool waitForWindowGone(HWND window, DWORD timeoutMs) {
    const DWORD started = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - started >= timeoutMs) return false;
        Sleep(kPollMs);
    }
    return true;
}

std::string bitmapFileHeaders(int width, int height) {
    const int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = rowBytes * height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info);
}

bool saveWindowPicture(HWND window, const std::string& bmpPath) {
    RECT area;
    if (!GetWindowRect(window, &area)) return false;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    const std::string headers = bitmapFileHeaders(width, height);
    BITMAPINFOHEADER info;
    memcpy(&info, headers.data() + sizeof(BITMAPFILEHEADER), sizeof info);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        HANDLE out = CreateFileA(bmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            saved = WriteFile(out, headers.data(), static_cast<DWORD>(headers.size()), &written, nullptr) &&
                    WriteFile(out, bits, info.biSizeImage, &written, nullptr);
            CloseHandle(out);
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}
