// One Tessaly at a time, and no start lost: a second start hands its command-line tail to
// the running one (WM_COPYDATA to its main window), which does what the start asked for or
// says why it cannot.
#pragma once

#include <windows.h>

#include "start_request.h"

// Takes the single-instance mutex, or hands the tail to the running Tessaly. 1 when this
// process is now the first instance; 0 when it is to end with *exitCode: 0 once the running
// one took the request, exitCodeBeforeTask otherwise (after a box that says why: busy,
// another folder, or no answer while the other one keeps the mutex).
int becomeFirstInstance(const char* tail, LaunchMode mode, int* exitCode);

// The main window's side: reads the hand-over (untrusted bytes), and answers a
// HandOverReply. A plain start brings the window, or its open dialog or box, to the front
// at once; a task is posted to run once the message is answered, unless the tool is busy
// or works in another folder than the second start's (which is then sent the folder's
// path as the text of replyWindow, a static window of its own).
LRESULT receiveHandOver(HWND window, HWND replyWindow, const COPYDATASTRUCT* data);
// The posted message that runs the task taken.
constexpr UINT kRunHandedOverMessage = WM_APP + 2;
void runHandedOverTask(HWND window);
