// The dialog that gives a saved profile another name, opened from the selection dialog.
#pragma once

#include <windows.h>

// Written by the dialog on OK: the new name, not empty, at most 99 bytes; read by the
// selection dialog afterwards.
extern char renamedProfileName[100];

INT_PTR CALLBACK renameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens the dialog over the owner with the current name filled in; 1 on OK, with the
// new name in renamedProfileName.
int askProfileRename(HWND owner, const char* currentName);
