// The dialog that names the current network settings, and menu command 501.
#pragma once

#include <windows.h>

// Written by the dialog on OK (at most 99 bytes); read by the command afterwards.
extern char profileNameBuffer[100];

INT_PTR CALLBACK saveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void runSaveCommand(HWND mainWindow);
