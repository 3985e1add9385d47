// The tool's only top-level window: menu, background picture and command dispatch.
#pragma once

#include <windows.h>

#include "start_request.h"

class ProfileCatalog;
class CommandRunner;

// Owned by the main window for its whole life.
extern ProfileCatalog* catalog;
extern CommandRunner* runner;
extern int clientHeight;

// The program icon's small image, loaded with the window class; null before.
HICON programSmallIcon();

ATOM registerMainWindowClass(HINSTANCE instance, const char* className);
int createMainWindow(HINSTANCE instance, const char* className, int showCommand, HWND* window, int x,
                     int y, int width, int height);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Brings the tool to the front: its open dialog or box if it has one, else the window,
// shown (from the notification area too) and restored.
void bringMainWindowForward(HWND window);

// Runs what a start asked for on the main window: the dialog of "/L", "/S" or "/T", or the
// apply of "/L NAME"; nothing for Normal. A one-task start then ends, its outcome the exit
// code. Returns the task's TaskOutcome (src/common/task_outcome.h).
int runStartRequest(HWND window, const StartRequest& request);
