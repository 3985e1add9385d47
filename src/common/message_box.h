// The tool's message boxes: always the question icon, owned by the given window.
#pragma once

#include <windows.h>

// The title of every outcome message.
constexpr char kConfirmTitle[] = "確認";

// An information box with OK alone.
void showInformation(HWND owner, const char* text, const char* title);
// A question with OK and Cancel; non-zero when the answer is OK.
int askOkCancel(HWND owner, const char* text, const char* title);
// A question with Yes, No and Cancel; the button pressed (IDYES, IDNO or IDCANCEL).
int askYesNoCancel(HWND owner, const char* text, const char* title);
