// The dialog that names the current network settings, and menu command 501.
#pragma once

#include <windows.h>

class CommandRunner;
class ProfileCatalog;

// Written by the dialog on OK (at most 99 bytes); read by the command afterwards.
extern char profileNameBuffer[100];

INT_PTR CALLBACK saveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens the dialog, then adds the profile, dumps the settings into it and tells the outcome.
void runSaveCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner);
