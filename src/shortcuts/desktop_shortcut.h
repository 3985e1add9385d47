// Desktop shortcuts that start the tool straight into one task, and menu commands 504
// to 506.
#pragma once

#include <windows.h>

// 1 when the link file was written at <desktop>\linkFileName; 0 when the desktop
// cannot be resolved, the path does not fit, or the shell could not write the link.
int createDesktopShortcut(HWND owner, const char* linkFileName, const char* arguments);
// Writes a shell link to the target with the arguments and the target's directory as
// working directory. 1 when the file was saved.
int createShellLink(const char* target, const char* arguments, const char* linkPath);
// The file-system path of a shell special folder into output (MAX_PATH bytes); 0 and
// the output untouched when it cannot be resolved.
int getSpecialFolderPath(HWND owner, int folder, char* output);

// The handler of menu command 504, 505 or 506: asks first, then creates the shortcut
// and reports a failure.
void runShortcutCommand(HWND mainWindow, int commandId);
