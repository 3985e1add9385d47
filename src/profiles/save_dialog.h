// The dialog that names the current network settings, and menu command 501.
#pragma once

#include <windows.h>

#include "profile_save.h"

class CommandRunner;
class ProfileCatalog;

// Written by the dialog on OK (at most 99 bytes); read by the command afterwards.
extern char profileNameBuffer[100];

// The dialog's parameter is the command's SaveRequest, which its OK completes: the listed
// profile to save again, as the user confirmed (-1 for a new one), and the extras its check
// boxes ask for (each checked when the dialog opens).
INT_PTR CALLBACK saveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens the dialog, then saves as profile_save.h says and tells the outcome; its
// TaskOutcome (src/common/task_outcome.h), kTaskNotDone for a cancel.
int runSaveCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner);
