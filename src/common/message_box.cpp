#include "message_box.h"

void showInformation(HWND owner, const char* text, const char* title) {
    MessageBoxA(owner, text, title, MB_OK | MB_ICONQUESTION);
}

int (*quietSuccess)(HWND owner, const char* text) = nullptr;

void showSuccess(HWND owner, const char* text) {
    if (quietSuccess == nullptr || !quietSuccess(owner, text)) showInformation(owner, text, kConfirmTitle);
}

int askOkCancel(HWND owner, const char* text, const char* title) {
    return MessageBoxA(owner, text, title, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

int askYesNoCancel(HWND owner, const char* text, const char* title) {
    return MessageBoxA(owner, text, title, MB_YESNOCANCEL | MB_ICONQUESTION);
}
