// The version box, and menu command 508.
#pragma once

#include <windows.h>

INT_PTR CALLBACK versionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void runVersionCommand(HWND mainWindow);
