// The tool's message boxes: always the question icon, owned by the given window.
#pragma once

#include <windows.h>

// The title of every outcome message.
constexpr char kConfirmTitle[] = "確認";

// An information box with OK alone.
void showInformation(HWND owner, const char* text, const char* title);
// A success the user need not answer: in a balloon of the notification area while the tool
// sits there with its window hidden (quietSuccess set and returning 1), otherwise in an
// information box with the title "確認".
void showSuccess(HWND owner, const char* text);
extern int (*quietSuccess)(HWND owner, const char* text);
// When set, told every outcome text before it is shown, in a box or a balloon.
extern void (*outcomeWatcher)(const char* text);
// A question with OK and Cancel; non-zero when the answer is OK.
int askOkCancel(HWND owner, const char* text, const char* title);
// A question with Yes, No and Cancel; the button pressed (IDYES, IDNO or IDCANCEL).
int askYesNoCancel(HWND owner, const char* text, const char* title);
