// The dialog that names the current network settings, and menu command 501.
#pragma once

#include <windows.h>

class CommandRunner;
class ProfileCatalog;

// Written by the dialog on OK (at most 99 bytes); read by the command afterwards.
extern char profileNameBuffer[100];

enum class SaveOutcome { Saved, Full, Failed };

// Adds a profile under the name and dumps the current settings into its script. A
// profile whose dump failed is taken back, its own section alone (and its script when
// that is empty), so none is kept without its settings and nothing else changes.
SaveOutcome saveNamedProfile(ProfileCatalog* catalog, CommandRunner* runner, const char* name);

INT_PTR CALLBACK saveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Opens the dialog, then adds the profile, dumps the settings into it and tells the outcome.
void runSaveCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner);
