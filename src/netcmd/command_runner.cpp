#include "command_runner.h"

#include <cstring>
#include <new>

#include "../common/message_box.h"
#include "../common/text_builder.h"
#include "netsh_text.h"

namespace {

// How long one program may run before the user is asked whether to wait on. A test
// build may lower it; it is set here, where the wait is compiled, so that it holds for
// every caller.
#ifndef TESSALY_PATIENCE_MS
#define TESSALY_PATIENCE_MS 60000
#endif
constexpr DWORD kPatienceMs = TESSALY_PATIENCE_MS;

// netsh is always the system's own, never one found in the program's or the current
// directory.
int netshPath(char* out, UINT outSize) {
    static const char kFileName[] = "\\netsh.exe";
    char directory[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, sizeof directory);
    return length != 0 && length < sizeof directory && BoundedText(out, outSize).add(directory).add(kFileName).finish();
}

// Runs what is queued for the thread's windows.
void pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop, after the wait
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// How long a failed wait for the process and messages is replaced by a wait for the
// process alone, before the messages are pumped again.
constexpr DWORD kFailedWaitPollMs = 50;

// Waits at most `timeout` for the process to end or a message to arrive. When the wait
// fails, the process alone is waited for a short while instead, so the caller still
// learns when it ends; the messages are pumped after either.
DWORD waitForProcessOrMessage(const CommandRunner& runner, HANDLE process, DWORD timeout) {
    const DWORD woken = runner.messageWait(1, &process, FALSE, timeout, kWakeMask);
    if (woken != WAIT_FAILED) return woken;
    const DWORD poll = timeout < kFailedWaitPollMs ? timeout : kFailedWaitPollMs;
    const DWORD ended = WaitForSingleObject(process, poll);
    if (ended == WAIT_FAILED) Sleep(poll);
    return ended;
}

// Waits for the process with one thread: the windows go on painting, the owner stays
// disabled so no second command starts, and each time the patience has run out the user
// is asked whether to wait on. Only the time passed leads to the question, never the
// wait's result. 0 when the user gave up; the process is then ended.
int waitPumping(const CommandRunner& runner, HANDLE process) {
    HWND owner = runner.owner;
    const bool disable = owner != nullptr && IsWindowEnabled(owner);
    HCURSOR wait = LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR previous = SetCursor(wait);
    int finished = 1;
    const DWORD patience = runner.patienceMs != 0 ? runner.patienceMs : kPatienceMs;
    DWORD start = GetTickCount();
    for (;;) {
        if (disable) EnableWindow(owner, FALSE);  // again after the question, which enables it
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed < patience) {
            if (waitForProcessOrMessage(runner, process, patience - elapsed) == WAIT_OBJECT_0) break;
            pumpMessages();
            SetCursor(wait);
            continue;
        }
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) break;
        if (askOkCancel(owner, kNotRespondingText, kConfirmTitle)) {
            start = GetTickCount();
            continue;
        }
        if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) break;  // it ended while the question was open
        TerminateProcess(process, kAbandonedExitCode);
        WaitForSingleObject(process, INFINITE);
        finished = 0;
        break;
    }
    if (disable) EnableWindow(owner, TRUE);
    SetCursor(previous);
    return finished;
}

int startAndWait(const CommandRunner& runner, const char* commandLine, const char* applicationName,
                 BOOL inheritHandles, STARTUPINFOA* startup, DWORD* exitCode) {
    // CreateProcessA may write into the command line, so it gets a copy.
    const size_t length = std::strlen(commandLine);
    char* line = new (std::nothrow) char[length + 1];
    if (line == nullptr) return 0;
    std::memcpy(line, commandLine, length + 1);

    PROCESS_INFORMATION process;
    ZeroMemory(&process, sizeof process);
    const BOOL started = CreateProcessA(applicationName, line, nullptr, nullptr, inheritHandles,
                                        CREATE_NO_WINDOW, nullptr, nullptr, startup, &process);
    delete[] line;
    if (!started) return 0;
    DWORD code = kAbandonedExitCode;
    if (waitPumping(runner, process.hProcess) && !GetExitCodeProcess(process.hProcess, &code)) code = 0xFFFFFFFF;
    if (exitCode != nullptr) *exitCode = code;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return 1;
}

int runNetsh(CommandRunner& runner, const char* commandLine) {
    char netsh[MAX_PATH];
    DWORD exitCode = 1;
    if (!netshPath(netsh, sizeof netsh)) return 0;
    return runner.run(commandLine, netsh, &exitCode) && exitCode == 0;
}

int fileIsEmpty(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return 1;
    return data.nFileSizeHigh == 0 && data.nFileSizeLow == 0;
}

}  // namespace

int CommandRunner::run(const char* commandLine, const char* applicationName, DWORD* exitCode) {
    if (commandLine == nullptr) return 0;
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    return startAndWait(*this, commandLine, applicationName, FALSE, &startup, exitCode);
}

int CommandRunner::runToFile(const char* commandLine, const char* outputPath, const char* applicationName,
                             DWORD* exitCode) {
    if (commandLine == nullptr || outputPath == nullptr) return 0;
    SECURITY_ATTRIBUTES inheritable;
    inheritable.nLength = sizeof inheritable;
    inheritable.lpSecurityDescriptor = nullptr;
    inheritable.bInheritHandle = TRUE;
    // A pipe's server may only identify this process, never act as it.
    HANDLE output = CreateFileA(outputPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                &inheritable, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    if (output == INVALID_HANDLE_VALUE) return 0;
    SetFilePointer(output, 0, nullptr, FILE_BEGIN);

    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    const int started = startAndWait(*this, commandLine, applicationName, TRUE, &startup, exitCode);
    // Closed only after the child has ended, so the file is complete.
    CloseHandle(output);
    return started;
}

int CommandRunner::dumpSettings(const char* scriptPath) {
    if (scriptPath == nullptr) return 0;
    char netsh[MAX_PATH];
    DWORD exitCode = 1;
    if (!netshPath(netsh, sizeof netsh)) return 0;
    if (!runToFile(kDumpCommand, scriptPath, netsh, &exitCode)) return 0;
    return exitCode == 0 && !fileIsEmpty(scriptPath);
}

int CommandRunner::execScript(const char* scriptPath) {
    if (scriptPath == nullptr) return 0;
    const size_t size = std::strlen(scriptPath) + kExecCommandOverhead;
    char* command = new (std::nothrow) char[size];
    if (command == nullptr) return 0;
    const int ok = composeExecCommand(scriptPath, command, size) && runNetsh(*this, command);
    delete[] command;
    return ok;
}

int CommandRunner::applyTcpIp(const char* connectionName, TcpIpRequest request) {
    if (!isQuotableConnectionName(connectionName)) return 0;
    const size_t size = std::strlen(connectionName) + kSetCommandOverhead;
    char* command = new (std::nothrow) char[size];
    if (command == nullptr) return 0;
    int ok = 1;
    const int count = tcpIpCommandCount(request);
    for (int i = 0; i < count; ++i) {
        if (!composeTcpIpCommand(i, connectionName, request, command, size) || !runNetsh(*this, command))
            ok = 0;
    }
    delete[] command;
    return ok;
}
