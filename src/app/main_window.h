// The tool's only top-level window: menu, background picture and command dispatch.
#pragma once

#include <windows.h>

class ProfileCatalog;
class CommandRunner;

// Owned by the main window for its whole life.
extern ProfileCatalog* catalog;
extern CommandRunner* runner;
extern int clientHeight;

ATOM registerMainWindowClass(HINSTANCE instance, const char* className);
int createMainWindow(HINSTANCE instance, const char* className, int showCommand, HWND* window, int x,
                     int y, int width, int height);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
