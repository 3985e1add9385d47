#include "running_instance.h"

#include <new>

#include "../common/file_identity.h"
#include "../common/late_binding.h"
#include "../common/message_box.h"
#include "../common/text_builder.h"
#include "app_state.h"
#include "app_texts.h"
#include "hand_over.h"
#include "instance_mutex.h"
#include "main_window.h"
#include "tray_icon.h"

namespace {

// How long a second start waits for the running Tessaly's window (it may be starting or
// ending), and for its answer.
constexpr DWORD kWindowPatienceMs = 5000;
constexpr DWORD kWindowPollMs = 100;
constexpr UINT kAnswerPatienceMs = 5000;
// Room for a folder's path and its terminator, as GetCurrentDirectoryA writes one.
constexpr DWORD kFolderSize = kHandOverFolderSize;

// The task a hand-over asked for, from its answer until its posted message runs it.
StartRequest handedOverTask;
int taskPending = 0;

int currentFolder(char (&folder)[kFolderSize]) {
    const DWORD length = GetCurrentDirectoryA(kFolderSize, folder);
    return length != 0 && length < kFolderSize;
}

// The running instance's answer; kHandOverUnread when it gave none.
int askRunningInstance(HWND running, const char* message, size_t size, HWND replyWindow) {
    DWORD process = 0;
    GetWindowThreadProcessId(running, &process);
    // Whatever it opens may come to the front, as this start would have.
    if (const auto allow = late::AllowSetForegroundWindow()) allow(process);
    COPYDATASTRUCT data;
    data.dwData = kHandOverTag;
    data.cbData = static_cast<DWORD>(size);
    data.lpData = const_cast<char*>(message);
    // A thread that has not looked at its messages for 5 s counts as hung, and the running
    // one would not write its folder into the reply window.
    MSG pending;
    PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
    DWORD_PTR answer = kHandOverUnread;
    if (SendMessageTimeoutA(running, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow),
                            reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerPatienceMs, &answer))
        return static_cast<int>(answer);
    // Gone meanwhile: it was ending, and this start may yet be the first.
    return IsWindow(running) ? kHandOverUnread : -1;
}

void tellElsewhere(HWND replyWindow) {
    char folder[kFolderSize] = "";
    GetWindowTextA(replyWindow, folder, sizeof folder);
    char text[sizeof kRunningElsewhereBefore + kFolderSize + sizeof kRunningElsewhereAfter];
    BoundedText(text, sizeof text).add(kRunningElsewhereBefore).add(folder).add(kRunningElsewhereAfter);
    showInformation(nullptr, text, kConfirmTitle);
}

// Hands the tail over and tells why it was not taken; the reply, or -1 when no running
// Tessaly's window was found, or it went while asked.
int handOver(const char* tail) {
    HWND running = FindWindowA(kMainWindowClassName, nullptr);
    if (running == nullptr) return -1;
    char folder[kFolderSize];
    char* message = new (std::nothrow) char[kHandOverMaxSize];
    const size_t size =
        message != nullptr && currentFolder(folder) ? composeHandOver(folder, tail, message, kHandOverMaxSize) : 0;
    // A static window of this process, which the running one may give the text of its folder.
    HWND replyWindow = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    const int reply = size != 0 ? askRunningInstance(running, message, size, replyWindow) : kHandOverUnread;
    if (reply == kHandOverBusy)
        showInformation(nullptr, kRunningBusyText, kConfirmTitle);
    else if (reply == kHandOverOtherFolder)
        tellElsewhere(replyWindow);
    else if (reply != kHandOverTaken && reply != -1)
        showInformation(nullptr, kRunningSilentText, kConfirmTitle);
    if (replyWindow != nullptr) DestroyWindow(replyWindow);
    delete[] message;
    return reply;
}

int isThisFolder(const char* folder) {
    char own[kFolderSize];
    return currentFolder(own) && isSameFile(own, folder);
}

// Gives the second start this instance's folder, only through a static window of its own.
void replyFolder(HWND replyWindow) {
    char folder[kFolderSize];
    char className[8];
    DWORD process = 0;
    if (replyWindow == nullptr || !currentFolder(folder) || !GetClassNameA(replyWindow, className, sizeof className) ||
        lstrcmpiA(className, "Static") != 0 || GetWindowThreadProcessId(replyWindow, &process) == 0 ||
        process == GetCurrentProcessId())
        return;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(replyWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder), SMTO_NORMAL,
                        kAnswerPatienceMs, &ignored);
}

}  // namespace

int becomeFirstInstance(const char* tail, LaunchMode mode, int* exitCode) {
    for (DWORD waited = 0; !acquireInstanceMutex(kInstanceMutexName); waited += kWindowPollMs) {
        const int reply = handOver(tail);
        if (reply != -1 || waited >= kWindowPatienceMs) {
            if (reply == -1) showInformation(nullptr, kRunningSilentText, kConfirmTitle);
            *exitCode = reply == kHandOverTaken ? 0 : exitCodeBeforeTask(mode);
            return 0;
        }
        // The running one holds the mutex but has no window yet, or no more: it is starting
        // or ending.
        Sleep(kWindowPollMs);
    }
    return 1;
}

LRESULT receiveHandOver(HWND window, HWND replyWindow, const COPYDATASTRUCT* data) {
    HandOver handOver;
    if (data == nullptr || !readHandOver(data->dwData, data->lpData, data->cbData, &handOver)) return kHandOverUnread;
    if (handOver.request.mode == Normal) {
        bringMainWindowForward(window);
        return kHandOverTaken;
    }
    if (!isThisFolder(handOver.folder)) {
        replyFolder(replyWindow);
        return kHandOverOtherFolder;
    }
    // Nothing is queued behind the user's back: a dialog, a box, a netsh run or the icon's
    // menu is open, or a task already waits.
    // A one-task start's window ends with its task: it takes no other.
    if (!IsWindowEnabled(window) || isTrayMenuOpen() || taskPending ||
        (appState != nullptr && isOneTaskMode(appState->launchMode)))
        return kHandOverBusy;
    handedOverTask = handOver.request;
    taskPending = PostMessageA(window, kRunHandedOverMessage, 0, 0) != FALSE;
    return taskPending ? kHandOverTaken : kHandOverBusy;
}

void runHandedOverTask(HWND window) {
    if (!taskPending) return;
    taskPending = 0;
    // A dialog or the icon's menu the user opened after the answer and before this message:
    // the task does not run under it, and the user is told so, since the second start is gone.
    if (!IsWindowEnabled(window) || isTrayMenuOpen()) {
        showInformation(GetLastActivePopup(window), kRunningBusyText, kConfirmTitle);
        return;
    }
    if (IsWindowVisible(window)) SetForegroundWindow(window);
    runStartRequest(window, handedOverTask);
    refreshTrayTip(window);
}
