// The dialog that names the current network settings, and menu command 501.
#pragma once

#include <windows.h>

class CommandRunner;
class ProfileCatalog;

// Written by the dialog on OK (at most 99 bytes); read by the command afterwards.
extern char profileNameBuffer[100];

// Written by the dialog on OK: the listed profile whose script the save is to replace,
// as the user confirmed; -1 for a new profile. Read by the command afterwards.
extern int replacedProfileIndex;

// Written by the dialog on OK: 1 when the browser's proxy is to be saved too (the check
// box, checked when the dialog opens). Read by the command afterwards.
extern int saveBrowserProxyToo;

// Written by the dialog on OK: 1 when the default printer is to be saved too (the second
// check box, checked when the dialog opens). Read by the command afterwards.
extern int saveDefaultPrinterToo;

enum class SaveOutcome { Saved, Full, Failed };

// Adds a profile under the name and dumps the current settings into its script. A
// profile whose dump failed is taken back, its own section alone (and its script when
// that is empty), so none is kept without its settings and nothing else changes.
SaveOutcome saveNamedProfile(ProfileCatalog* catalog, CommandRunner* runner, const char* name);

// Dumps the current settings into a listed profile's own script: into a new file beside
// it first, which replaces the script only once the dump succeeded, so a failing netsh
// leaves the old script as it was. The catalogue is not touched: number, name and place
// in the list stay. A script outside the working folder is not touched either (Failed).
SaveOutcome resaveProfile(const ProfileCatalog* catalog, CommandRunner* runner, int index);

INT_PTR CALLBACK saveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens the dialog, then adds the profile (or, as confirmed, saves a listed one again),
// dumps the settings into it and tells the outcome; its TaskOutcome
// (src/common/task_outcome.h), kTaskNotDone for a cancel.
int runSaveCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner);
