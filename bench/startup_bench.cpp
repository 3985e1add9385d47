// Start-up time of tessaly.exe beside a minimal window program: each is started in turn
// (A B A B ...) and timed from process creation until a window of it is visible; then it is
// closed and waited for. Three series of ROUNDS pairs (60 unless told), each in a fresh
// working directory where the first-run offer was made; prints each series' medians and
// ratio, then the median ratio and the spread of the three. Given both traced builds
// (src/app/startup_trace.h), it then starts each 30 times in turn and prints, step by
// step, the median time from process creation to each mark on the way to the first paint.
// Usage: startup_bench TESSALY_EXE MINIMAL_EXE WORK_DIR [ROUNDS [TRACED_EXE MINIMAL_TRACED_EXE]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

// One series in a fresh folder under workDir; the ratio of the medians, or negative.
double runSeries(const char* tessaly, const char* minimalProgram, const std::string& folder, int rounds) {
    CreateDirectoryA(folder.c_str(), nullptr);
    // The first-run offer was made, so nothing stands between the start and the main window.
    const std::string settings = folder + "\\tessaly.ini";
    WritePrivateProfileStringA("Basic", "FirstTime", "0", settings.c_str());
    std::vector<double> tool, minimal;
    for (int round = -2; round < rounds; ++round) {  // two rounds of warm-up
        const double a = timeToWindow(minimalProgram, folder.c_str());
        const double b = timeToWindow(tessaly, folder.c_str());
        if (a < 0 || b < 0) return -1;
        if (round < 0) continue;
        minimal.push_back(a);
        tool.push_back(b);
    }
    const double m = median(minimal), t = median(tool);
    std::printf("  minimal %7.1f ms   tessaly.exe %7.1f ms   ratio %5.2f\n", m, t, t / m);
    return t / m;
}

// One start of a traced build: its marks, in the order they were passed, added to the
// steps and times; 0 when it left no trace.
int traceOnce(const char* traced, const std::string& folder, std::vector<std::string>* steps,
              std::vector<std::vector<double>>* times) {
    const std::string traceFile = folder + "\\trace.txt";
    SetEnvironmentVariableA("TESSALY_STARTUP_TRACE", traceFile.c_str());
    DeleteFileA(traceFile.c_str());
    const bool shown = timeToWindow(traced, folder.c_str()) >= 0;
    SetEnvironmentVariableA("TESSALY_STARTUP_TRACE", nullptr);
    FILE* file = shown ? std::fopen(traceFile.c_str(), "r") : nullptr;
    if (file == nullptr) return 0;
    char line[256];
    while (std::fgets(line, sizeof line, file) != nullptr) {
        char* tab = std::strchr(line, '\t');
        if (tab == nullptr) continue;
        *tab = '\0';
        const size_t step = std::find(steps->begin(), steps->end(), line) - steps->begin();
        if (step == steps->size()) {
            steps->push_back(line);
            times->emplace_back();
        }
        (*times)[step].push_back(std::atof(tab + 1) / 1000.0);
    }
    std::fclose(file);
    return 1;
}

// Both traced builds, started in turn: the median time from process creation to each mark,
// step by step, tessaly.exe's steps in its order beside the minimal program's same steps.
int printTrace(const char* traced, const char* minimalTraced, const std::string& folder, int starts) {
    std::vector<std::string> steps, minimalSteps;
    std::vector<std::vector<double>> times, minimalTimes;
    for (int start = 0; start < starts; ++start)
        if (!traceOnce(minimalTraced, folder, &minimalSteps, &minimalTimes) ||
            !traceOnce(traced, folder, &steps, &times))
            return 0;
    std::printf("on the way to the first paint, ms since process creation (median of %d starts each):\n", starts);
    std::printf("  %-32s %11s %8s\n", "", "tessaly.exe", "minimal");
    for (size_t step = 0; step < steps.size(); ++step) {
        const size_t same = std::find(minimalSteps.begin(), minimalSteps.end(), steps[step]) - minimalSteps.begin();
        std::printf("  %-32s %11.2f", steps[step].c_str(), median(times[step]));
        if (same < minimalSteps.size())
            std::printf(" %8.2f\n", median(minimalTimes[same]));
        else
            std::printf(" %8s\n", "-");
    }
    return !steps.empty();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench TESSALY_EXE MINIMAL_EXE WORK_DIR [ROUNDS]\n");
        return 2;
    }
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 60;
    std::printf("start-up to a visible window, medians of %d starts each (A B alternating), three series:\n", rounds);
    std::vector<double> ratios;
    for (int series = 0; series < 3; ++series) {
        const double ratio = runSeries(argv[1], argv[2], std::string(argv[3]) + "\\" + std::to_string(series), rounds);
        if (ratio < 0) {
            std::fprintf(stderr, "a program did not show its window\n");
            return 1;
        }
        ratios.push_back(ratio);
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("  ratio: median %.2f, spread %.2f to %.2f\n", ratios[1], ratios[0], ratios[2]);
    if (argc > 6 && !printTrace(argv[5], argv[6], std::string(argv[3]) + "\\0", 30)) {
        std::fprintf(stderr, "the traced build left no trace\n");
        return 1;
    }
    return 0;
}
