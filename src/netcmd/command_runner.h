// The only place where the tool starts another program, and the netsh operations
// built on it. Holds only the window it keeps disabled while a program runs; the main
// window owns the one instance.
#pragma once

#include <windows.h>

#include "tcpip_request.h"

constexpr char kNotRespondingText[] = "netsh が応答しません。\n待ち続けますか？";
// The exit code stored for a program the user gave up on (it is then ended).
constexpr DWORD kAbandonedExitCode = 0xFFFFFFFE;

// What wakes the wait for a program: every kind of input Windows 2000 knows. MinGW-w64's
// QS_ALLINPUT also holds QS_RAWINPUT (XP and later), with which Windows 2000 fails
// every wait.
constexpr DWORD kWakeMask =
    QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY;
static_assert((kWakeMask & ~0xFFu) == 0, "a wake flag that Windows 2000 does not know fails the wait there");

// The signature of MsgWaitForMultipleObjects.
using MessageWait = DWORD(WINAPI*)(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                   DWORD wakeMask);

class CommandRunner {
public:
    // Starts the command line as a hidden process and waits for it to end, the thread's
    // windows painting meanwhile and the owner disabled, with the wait cursor. After
    // patienceMs the user may give up, which ends the process. The program is the
    // application name when given, else the command line's first word. Returns 1 when
    // the process started (its exit code is then stored), 0 when it did not or the
    // command line is missing.
    int run(const char* commandLine, const char* applicationName, DWORD* exitCode);
    // The same with the process's standard output in a newly created (or emptied) file.
    // Nothing is started when the file cannot be created.
    int runToFile(const char* commandLine, const char* outputPath, const char* applicationName,
                  DWORD* exitCode);

    // Each returns 1 only when every netsh it ran started and exited with code 0.
    // "netsh interface ip dump" into the script; also fails when the script is empty.
    int dumpSettings(const char* scriptPath);
    // "netsh exec PATH".
    int execScript(const char* scriptPath);
    // The set and add commands of one request, all run even after a failure. A name
    // that is missing or holds a double quote runs nothing and fails.
    int applyTcpIp(const char* connectionName, TcpIpRequest request);

    // Disabled while a program runs, and the owner of the question; may be null.
    HWND owner = nullptr;
    // How long one program may run before the user is asked whether to wait on; 0 for
    // the build's own (kPatienceMs in command_runner.cpp).
    DWORD patienceMs = 0;
    // The wait for the program or a message; a test may put in one that fails. A failed
    // wait is never taken for patience run out.
    MessageWait messageWait = MsgWaitForMultipleObjects;
};
