// The resident tool in the notification area: what a look at the network costs after a
// change, and what the tool costs while nothing happens.
// First, in this process: the icon on a hidden window, Shell_NotifyIconA a stand-in that
// only records, 100 profiles of a 5-connection dump against 5 seeded connections; the
// tooltip's refresh (a comparison without previews, a NIM_MODIFY when the tip changed) is
// timed beside the selection dialog's comparison of the same catalogue, with previews. Once
// with each profile keeping the browser's proxy and a printer, as discovery_bench's, once
// with the scripts alone.
// Then what telling the network adds to the selection dialog's comparison.
// Then tessaly.exe /R in a working folder of 10 such profiles: its CPU time over an idle
// period, scaled to an hour, its working set, and whether its folder's files changed; the
// Exit command ends it, with 0. Given the minimal window program, the same for it beside.
// Usage: resident_bench TESSALY_EXE [IDLE_SECONDS [MINIMAL_EXE]]
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "adapters/network_now.h"
#include "adapters/settings_readback.h"
#include "app/main_window.h"
#include "app/tray_icon.h"
#include "bench_harness.h"
#include "bench_profiles.h"
#include "browser/browser_proxy.h"
#include "common/late_binding.h"
#include "machine_seed.h"
#include "printer/default_printer.h"
#include "profiles/profile_catalog.h"
#include "profiles/profile_comparison.h"
#include "profiles/profile_extras.h"
#include "resources/resource.h"

namespace {

constexpr int kProfiles = 100;
constexpr int kRuns = 30;
constexpr double kRefreshGoalMs = 20;
constexpr double kIdleGoalSecondsPerHour = 1;
constexpr double kNetworkGoalMs = 5;

struct ShellCall {
    DWORD message;
    std::string tip;
};
std::vector<ShellCall> shellCalls;

BOOL WINAPI recordShellCall(DWORD message, PNOTIFYICONDATAA data) {
    shellCalls.push_back({message, data->uFlags & NIF_TIP ? data->szTip : ""});
    return TRUE;
}

int modifyCount() {
    return static_cast<int>(std::count_if(shellCalls.begin(), shellCalls.end(),
                                          [](const ShellCall& call) { return call.message == NIM_MODIFY; }));
}

std::string readFile(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got != 0) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

HWND createHiddenWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "ResidentBench";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, "ResidentBench", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// The tray's refresh for 100 profiles, and the comparisons it is made of.
int measureTray(HWND window, const std::string& folder, bool withExtras) {
    writeProfileFolder(folder, kProfiles, withExtras);
    // The same profiles under other names: a refresh after the other catalogue's always
    // finds a new tip and tells the shell.
    writeFile(folder + "\\renamed.ini", replaceAll(readFile(folder + "\\dumplist.ini"), "name=Place ", "name=Spot "));
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    ProfileCatalog places(".\\dumplist.ini"), spots(".\\renamed.ini");
    places.load();
    spots.load();
    // Wine reads a settings file afresh on every call while it is newer than about two
    // seconds; a resident tool's catalogue was written long before.
    Sleep(2500);
    int status = places.count() == kProfiles && spots.count() == kProfiles ? 0 : 1;

    std::printf("-- %d profiles, %s\n", kProfiles,
                withExtras ? "each with the browser's proxy and a printer (as discovery_bench's)" : "scripts only");
    catalog = &places;
    shellCalls.clear();
    late::Shell_NotifyIconA.standIn = recordShellCall;
    if (!enterNotificationArea(window, 0) || shellCalls.empty() || shellCalls.front().message != NIM_ADD) status = 1;
    const std::string expected = "Tessaly - 現在：Place 0、Place 2、Place 4、";
    if (shellCalls.empty() || shellCalls.back().tip.compare(0, expected.size(), expected) != 0) status = 1;

    shellCalls.clear();
    const Timing changed = measureMs("tooltip refresh, the tip changed each time", kRuns, [&] {
        catalog = catalog == &places ? &spots : &places;
        refreshTrayTip(window);
    });
    const int modified = modifyCount();
    shellCalls.clear();
    catalog = &places;
    refreshTrayTip(window);
    shellCalls.clear();
    measureMs("tooltip refresh, the tip as it was", kRuns, [&] { refreshTrayTip(window); });
    std::printf("  (NIM_MODIFY told: %d of %d refreshes that changed the tip, %d of %d that did not)\n", modified,
                kRuns + 3, modifyCount(), kRuns + 3);
    if (modified != kRuns + 3 || modifyCount() != 0) status = 1;
    measureMs("  comparison without previews (the marks)", kRuns, [&] {
        ProfileComparison* comparisons = nullptr;
        if (!compareProfilesWithNow(places, &comparisons, 0)) status = 1;
        releaseProfileComparisons(comparisons, places.count());
    });
    // Where the comparison's time goes: its readings, each timed alone.
    measureMs("  of which the connections, from the registry", kRuns, [] {
        static MachineSettings machine;
        readMachineSettings(&machine);
        releaseMachineSettings(&machine);
    });
    measureMs("  of which 100 profiles' sections of the catalogue", kRuns, [&] {
        ExtraStates extras;
        if (!createExtraStates(&extras)) return;
        for (int i = 0; i < kProfiles; ++i) places.readProfileExtras(i, extras);
        releaseExtraStates(&extras);
    });
    measureMs("  of which 100 scripts, read", kRuns, [&] {
        static ScriptSettings script;
        for (int i = 0; i < kProfiles; ++i) readScriptSettings((".\\" + std::to_string(i) + ".dmp").c_str(), &script);
    });
    if (withExtras) {
        measureMs("  of which the browser's proxy, through WinINet", kRuns, [] {
            ProxySettings proxy;
            readBrowserProxy(&proxy);
        });
        measureMs("  of which the default printer, through winspool", kRuns, [] {
            char printer[kPrinterNameSize];
            readDefaultPrinter(printer);
        });
    }
    measureMs("for comparison: with previews (the selection dialog)", kRuns, [&] {
        ProfileComparison* comparisons = nullptr;
        if (!compareProfilesWithNow(places, &comparisons, 1)) status = 1;
        for (int i = 0; comparisons != nullptr && i < kProfiles; ++i)
            if (comparisons[i].holdsNow != (i % 2 == 0) || comparisons[i].preview == nullptr) status = 1;
        releaseProfileComparisons(comparisons, places.count());
    });
    std::printf("goal: a refresh within %.0f ms of our time for %d profiles; measured %.2f ms minimum, "
                "%.2f ms median\n", kRefreshGoalMs, kProfiles, changed.minimum / 1000, changed.median / 1000);
    // What the timer does each second while nothing changed.
    measure("a timer tick, nothing changed", 1000, [&] { onTrayTimer(window, kNetworkTimerId); });

    leaveNotificationArea(window);
    late::Shell_NotifyIconA.standIn.reset();
    catalog = nullptr;
    SetCurrentDirectoryA(previous);
    removeFolder(folder);
    if (status != 0) std::fprintf(stderr, "the tray's tip or marks did not fall on the profiles that hold\n");
    return status;
}

// What telling the network adds to the selection dialog's comparison: the same 100
// profiles of scripts alone, without and then with the network each recorded (every other
// one this network, its gateway answering with that hardware address), in this folder.
int measureNetwork(const std::string& folder) {
    HKEY cache = createMachineKey(kSimArpCacheKey);
    const bool cached = cache != nullptr && writeText(cache, "10.0.0.254", "00-0C-29-0A-0B-FE");
    if (cache != nullptr) RegCloseKey(cache);
    writeProfileFolder(folder, kProfiles, false);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    std::string catalogue = readFile("dumplist.ini");
    ProfileCatalog plain(".\\dumplist.ini");
    plain.load();
    for (size_t at = catalogue.find("sort=0\r\n"), i = 0; at != std::string::npos; at = catalogue.find("sort=0\r\n", at), ++i) {
        at += 8;
        const std::string key = i % 2 == 0 ? "network=10.0.0.254 00-0C-29-0A-0B-FE\r\n" : "network=10.0.0.254 00-0C-29-0A-0B-AA\r\n";
        catalogue.insert(at, key);
        at += key.size();
    }
    writeFile("recorded.ini", catalogue);
    ProfileCatalog recorded(".\\recorded.ini");
    recorded.load();
    Sleep(2500);  // older than Wine's two seconds, as a catalogue saved long before
    int status = cached && plain.count() == kProfiles && recorded.count() == kProfiles ? 0 : 1;
    std::printf("-- %d profiles, scripts only, without and with the network each recorded\n", kProfiles);
    auto compare = [&](const ProfileCatalog& catalogue, int expectHere) {
        ProfileComparison* comparisons = nullptr;
        if (!compareProfilesWithNow(catalogue, &comparisons, 1)) status = 1;
        for (int i = 0; comparisons != nullptr && i < kProfiles; ++i)
            if (comparisons[i].onItsNetwork != (expectHere && i % 2 == 0)) status = 1;
        releaseProfileComparisons(comparisons, catalogue.count());
    };
    const Timing without = measureMs("selection dialog's comparison, no network recorded", kRuns, [&] { compare(plain, 0); });
    const Timing with = measureMs("selection dialog's comparison, each network recorded", kRuns, [&] { compare(recorded, 1); });
    measureMs("  of which the network now, from the registry and the ARP table", kRuns, [] {
        static NetworkNow now;
        readNetworkNow(&now, 0);
    });
    std::printf("goal: telling the network adds at most %.0f ms for %d profiles; measured %.2f ms (minimum), "
                "%.2f ms (median)\n", kNetworkGoalMs, kProfiles, (with.minimum - without.minimum) / 1000,
                (with.median - without.median) / 1000);
    SetCurrentDirectoryA(previous);
    removeFolder(folder);
    cache = createMachineKey(kSimArpCacheKey);
    if (cache != nullptr) {
        RegDeleteValueA(cache, "10.0.0.254");
        RegCloseKey(cache);
    }
    if (status != 0) std::fprintf(stderr, "the network was not told for the profiles recorded on it\n");
    return status;
}

// What Wine's shell takes for the NIM_MODIFY of a changed tip (outside our time).
void measureShellModify(HWND window) {
    const auto notify = late::Shell_NotifyIconA();
    if (notify == nullptr) return;
    NOTIFYICONDATAA data;
    ZeroMemory(&data, sizeof data);
    data.cbSize = NOTIFYICONDATAA_V2_SIZE;
    data.hWnd = window;
    data.uID = 7;
    data.uFlags = NIF_TIP;
    lstrcpynA(data.szTip, "Tessaly", sizeof data.szTip);
    if (!notify(NIM_ADD, &data)) {
        std::printf("Wine's shell took no icon: its NIM_MODIFY not measured\n");
        return;
    }
    int turn = 0;
    measureMs("Wine's shell, one NIM_MODIFY of the tip", kRuns, [&] {
        lstrcpynA(data.szTip, ++turn % 2 ? "Tessaly - A" : "Tessaly - B", sizeof data.szTip);
        notify(NIM_MODIFY, &data);
    });
    notify(NIM_DELETE, &data);
}

// -- The real tool, resident and idle.

struct FileState {
    std::string name;
    ULONGLONG size;
    FILETIME written;
};

std::vector<FileState> filesOf(const std::string& folder) {
    std::vector<FileState> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        files.push_back({found.cFileName, (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow,
                         found.ftLastWriteTime});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(files.begin(), files.end(), [](const FileState& a, const FileState& b) { return a.name < b.name; });
    return files;
}

// The names of the files added, gone or changed between two looks; empty when none.
std::string changesBetween(const std::vector<FileState>& before, const std::vector<FileState>& after) {
    std::string changes;
    for (const FileState& file : before) {
        auto same = std::find_if(after.begin(), after.end(), [&](const FileState& f) { return f.name == file.name; });
        if (same == after.end())
            changes += " " + file.name + " (gone)";
        else if (same->size != file.size || CompareFileTime(&same->written, &file.written) != 0)
            changes += " " + file.name + " (written)";
    }
    for (const FileState& file : after)
        if (std::none_of(before.begin(), before.end(), [&](const FileState& f) { return f.name == file.name; }))
            changes += " " + file.name + " (new)";
    return changes;
}

double seconds(const FILETIME& time) {
    return static_cast<double>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
}

// Kernel and user time of a process, summed over its threads: Wine's GetProcessTimes gives
// another process's handle the caller's own times, while its GetThreadTimes reads each
// thread's.
double cpuSeconds(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    double total = 0;
    THREADENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        FILETIME created, exited, kernel, user;
        if (thread != nullptr && GetThreadTimes(thread, &created, &exited, &kernel, &user))
            total += seconds(kernel) + seconds(user);
        if (thread != nullptr) CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return total;
}

// 1 when GetProcessTimes of the process gives its own times, not this program's.
int processTimesAreItsOwn(HANDLE process) {
    FILETIME created, exited, kernel, user, ownCreated, ownExited, ownKernel, ownUser;
    return GetProcessTimes(process, &created, &exited, &kernel, &user) &&
           GetProcessTimes(GetCurrentProcess(), &ownCreated, &ownExited, &ownKernel, &ownUser) &&
           seconds(kernel) + seconds(user) != seconds(ownKernel) + seconds(ownUser);
}

struct Search {
    DWORD processId;
    const char* className;
    HWND found;
};

BOOL CALLBACK findWindowOf(HWND window, LPARAM lParam) {
    Search* search = reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    char className[64] = "";
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, className, sizeof className);
    if (owner != search->processId || lstrcmpA(className, search->className) != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// A program started in a folder, and its top-level window of the class named.
struct Started {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    double cpuAtStart = 0;
};

int startProgram(const char* program, const char* tail, const char* className, const std::string& folder,
                 Started* started) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = std::string("\"") + program + "\"" + tail;
    if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &started->process))
        return 0;
    Search search = {started->process.dwProcessId, className, nullptr};
    for (DWORD waited = 0; search.found == nullptr && waited < 10000; waited += 50) {
        EnumWindows(findWindowOf, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(50);
    }
    started->window = search.found;
    return search.found != nullptr;
}

// Waits for the end of a program asked to end; its exit code, or -1 when it had to be ended.
long endOf(Started* started) {
    DWORD exitCode = 0;
    if (WaitForSingleObject(started->process.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(started->process.hProcess, 1);
        WaitForSingleObject(started->process.hProcess, 5000);
        exitCode = static_cast<DWORD>(-1);
    } else {
        GetExitCodeProcess(started->process.hProcess, &exitCode);
    }
    CloseHandle(started->process.hThread);
    CloseHandle(started->process.hProcess);
    return static_cast<long>(exitCode);
}

void printMemory(const char* who, HANDLE process) {
    PROCESS_MEMORY_COUNTERS memory;
    ZeroMemory(&memory, sizeof memory);
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, &memory, sizeof memory)) {
        std::printf("%s: working set not read (error %lu)\n", who, GetLastError());
        return;
    }
    std::printf("%s: working set %.1f MB (peak %.1f MB), private bytes %.1f MB\n", who,
                memory.WorkingSetSize / 1048576.0, memory.PeakWorkingSetSize / 1048576.0,
                memory.PagefileUsage / 1048576.0);
}

int measureIdle(const char* tessaly, const char* minimalProgram, int idleSeconds) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tessaly-bench-resident";
    const std::string minimalFolder = folder + "-minimal";
    writeProfileFolder(folder, 10, true);
    // The first-run offer was made, as for a tool in the Startup folder.
    WritePrivateProfileStringA("Basic", "FirstTime", "0", (folder + "\\tessaly.ini").c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, (folder + "\\tessaly.ini").c_str());
    CreateDirectoryA(minimalFolder.c_str(), nullptr);
    Sleep(2500);
    std::printf("-- tessaly.exe /R, 10 profiles (the browser's proxy and a printer each), idle %d s\n", idleSeconds);
    const std::vector<FileState> beforeStart = filesOf(folder);
    Started tool, minimal;
    int status = 0;
    if (!startProgram(tessaly, " /R", "Tessaly", folder, &tool)) {
        std::fprintf(stderr, "tessaly.exe /R showed no main window of class Tessaly\n");
        status = 1;
    }
    const bool withMinimal =
        minimalProgram != nullptr && startProgram(minimalProgram, "", "Minimal", minimalFolder, &minimal);
    if (status == 0) {
        // Settled: the icon is there and the first comparison made.
        Sleep(2000);
        const std::vector<FileState> settled = filesOf(folder);
        const std::string atStart = changesBetween(beforeStart, settled);
        std::printf("the start wrote to the working folder: %s\n", atStart.empty() ? "nothing" : atStart.c_str());
        LARGE_INTEGER frequency, from, to;
        QueryPerformanceFrequency(&frequency);
        tool.cpuAtStart = cpuSeconds(tool.process.dwProcessId);
        if (withMinimal) minimal.cpuAtStart = cpuSeconds(minimal.process.dwProcessId);
        QueryPerformanceCounter(&from);
        Sleep(static_cast<DWORD>(idleSeconds) * 1000);
        const double cpuAfter = cpuSeconds(tool.process.dwProcessId);
        const double minimalAfter = withMinimal ? cpuSeconds(minimal.process.dwProcessId) : 0;
        QueryPerformanceCounter(&to);
        const double idle = static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
        const std::string changes = changesBetween(settled, filesOf(folder));
        std::printf("CPU time (kernel + user) at start %.3f s; over %.1f s idle %.3f s: %.2f s per hour "
                    "(goal <= %.0f s)\n",
                    tool.cpuAtStart, idle, cpuAfter - tool.cpuAtStart, 3600 * (cpuAfter - tool.cpuAtStart) / idle,
                    kIdleGoalSecondsPerHour);
        std::printf("  (Linux counts CPU time in steps of 10 ms: one step over this period is %.2f s per hour)\n",
                    3600 * 0.01 / idle);
        std::printf("  (summed over its threads; GetProcessTimes of its handle gives %s)\n",
                    processTimesAreItsOwn(tool.process.hProcess) ? "the same process's times"
                                                                 : "this program's own times here, not its");
        if (withMinimal)
            std::printf("  beside it, the minimal window program: at start %.3f s; idle %.3f s: %.2f s per hour\n",
                        minimal.cpuAtStart, minimalAfter - minimal.cpuAtStart,
                        3600 * (minimalAfter - minimal.cpuAtStart) / idle);
        printMemory("tessaly.exe /R", tool.process.hProcess);
        if (withMinimal) printMemory("  the minimal window program", minimal.process.hProcess);
        std::printf("no disk writes while idle: %s\n",
                    changes.empty() ? "yes, the working folder's files are unchanged (names, sizes, times)"
                                    : ("no:" + changes).c_str());
        if (!changes.empty()) status = 1;
        PostMessageA(tool.window, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 0), 0);
    }
    if (tool.process.hProcess != nullptr) {
        const long exitCode = endOf(&tool);
        std::printf("Exit (WM_COMMAND %d): exit code %ld\n", IDM_EXIT, exitCode);
        if (exitCode != 0) status = 1;
    }
    if (withMinimal) {
        PostMessageA(minimal.window, WM_CLOSE, 0, 0);
        endOf(&minimal);
    }
    removeFolder(folder);
    removeFolder(minimalFolder);
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: resident_bench TESSALY_EXE [IDLE_SECONDS [MINIMAL_EXE]]\n");
        return 2;
    }
    if (!simulationInstalled()) {
        std::fprintf(stderr, "the simulated network is not installed in this prefix (sim/install)\n");
        return 1;
    }
    const int idleSeconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 60;
    seedMachine(5, 20);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    int status = 0;
    HWND window = createHiddenWindow();
    status |= measureTray(window, std::string(temp) + "tessaly-bench-tray", true);
    status |= measureTray(window, std::string(temp) + "tessaly-bench-tray", false);
    status |= measureNetwork(std::string(temp) + "tessaly-bench-network");
    measureShellModify(window);
    DestroyWindow(window);
    status |= measureIdle(argv[1], argc > 3 ? argv[3] : nullptr, idleSeconds);
    seedSimulatedMachine();
    return status;
}
