// The dialog that picks a saved profile to apply or delete, and menu command 500.
#pragma once

#include <windows.h>

class CommandRunner;
class ProfileCatalog;

// Written by the dialog on OK or a confirmed "Del"; read by the command afterwards.
extern int selectedProfileIndex;

// The dialog's end for a confirmed deletion (1 is OK, 2 Cancel or the close box).
constexpr int kSelectDialogDelete = 104;

INT_PTR CALLBACK selectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens the dialog, then applies or deletes the chosen profile and tells the outcome; its
// TaskOutcome (src/common/task_outcome.h), kTaskNotDone for a cancel.
int runSelectCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner);
