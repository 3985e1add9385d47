// Start-up time of tessaly.exe beside a minimal window program: each is started in turn
// (A B A B ...) and timed from process creation until a window of it is visible; then it is
// closed and waited for. Prints both medians and their ratio.
// Usage: startup_bench TESSALY_EXE MINIMAL_EXE WORK_DIR [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM lParam) {
    Search* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// Milliseconds from process creation to its first visible window; negative on failure.
double timeToWindow(const char* program, const char* workDir) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = std::string("\"") + program + "\"";
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, workDir, &startup, &process))
        return -1;
    Search search = {process.dwProcessId, nullptr};
    double elapsed = -1;
    for (;;) {
        EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (search.found != nullptr) {
            elapsed = ms;
            break;
        }
        if (ms > 10000 || WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) break;
        Sleep(1);
    }
    if (search.found != nullptr) PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench TESSALY_EXE MINIMAL_EXE WORK_DIR [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 30;
    // The tool's working directory says the first-run offer was made, so nothing stands
    // between the start and the main window.
    const std::string settings = std::string(argv[3]) + "\\tessaly.ini";
    WritePrivateProfileStringA("Basic", "FirstTime", "0", settings.c_str());
    std::vector<double> tool, minimal;
    for (int round = -2; round < rounds; ++round) {  // two rounds of warm-up
        const double a = timeToWindow(argv[2], argv[3]);
        const double b = timeToWindow(argv[1], argv[3]);
        if (a < 0 || b < 0) {
            std::fprintf(stderr, "a program did not show its window\n");
            return 1;
        }
        if (round < 0) continue;
        minimal.push_back(a);
        tool.push_back(b);
    }
    const double m = median(minimal), t = median(tool);
    std::printf("start-up to a visible window, median of %d starts each (A B alternating):\n", rounds);
    std::printf("  minimal window program %8.1f ms\n  tessaly.exe            %8.1f ms\n  ratio                  %8.2f\n", m,
                t, t / m);
    return 0;
}
