// Desktop shortcuts that start the tool straight into one task, and menu commands 504
// to 506.
#pragma once

#include <windows.h>

// Told when a shortcut cannot be written.
constexpr char kShortcutFailedText[] = "ショートカットを作成できませんでした。";

// 1 when the link file was written at <desktop>\linkFileName, to this program with the
// arguments (and, given a description, that and the program's icon); 0 when the desktop
// cannot be resolved, the path does not fit, or the shell could not write the link.
int createDesktopShortcut(HWND owner, const char* linkFileName, const char* arguments,
                          const char* description = nullptr);
// Writes a shell link to the target with the arguments and the target's directory as
// working directory (with a description, also that and the target's first icon). 1 when
// the file was saved.
int createShellLink(const char* target, const char* arguments, const char* linkPath,
                    const char* description = nullptr);
// The file-system path of a shell special folder into output (MAX_PATH bytes); 0 and
// the output untouched when it cannot be resolved.
int getSpecialFolderPath(HWND owner, int folder, char* output);

// The handler of menu command 504, 505 or 506: asks first, then creates the shortcut
// and reports a failure.
void runShortcutCommand(HWND mainWindow, int commandId);

// The shortcut in the user's Startup folder that starts the tool in the notification area
// at logon: "Tessaly 常駐.lnk", this program with "/R".
constexpr char kStartupLinkName[] = "Tessaly 常駐.lnk";
constexpr char kStartupArguments[] = "/R";
constexpr char kStartupLinkDescription[] = "Tessaly を通知領域に常駐させます";
constexpr char kStartupShortcutFailedText[] = "スタートアップのショートカットを作成または削除できませんでした。";
// 1 when the Startup folder holds that shortcut as this program makes it.
int hasStartupShortcut(HWND owner);
// Removes the shortcut when hasStartupShortcut, else writes it (replacing a file of that
// name); a failure is told. 1 when done.
int runStartupShortcutCommand(HWND owner);

// One saved profile's shortcut, "ネットワーク設定「NAME」.lnk" on the desktop, starting
// this program with /L "NAME". Asks first, creates it (replacing one of that name) and
// reports a failure, as the commands above do.
void runProfileShortcutCommand(HWND owner, const char* profileName);
// 1 when the desktop holds that profile's shortcut as this program makes it: the file of
// that name, a link to this program with those arguments.
int hasProfileShortcut(HWND owner, const char* profileName);
// Deletes that profile's shortcut when hasProfileShortcut; any other file of that name
// stays. 1 when it was deleted.
int deleteProfileShortcut(HWND owner, const char* profileName);
// Writes that profile's shortcut without asking; 1 when written.
int createProfileShortcut(HWND owner, const char* profileName);
