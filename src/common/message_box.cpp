#include "message_box.h"

void (*outcomeWatcher)(const char* text) = nullptr;

void showInformation(HWND owner, const char* text, const char* title) {
    if (outcomeWatcher != nullptr) outcomeWatcher(text);
    MessageBoxA(owner, text, title, MB_OK | MB_ICONQUESTION);
}

int (*quietSuccess)(HWND owner, const char* text) = nullptr;

void showSuccess(HWND owner, const char* text) {
    if (quietSuccess == nullptr || !quietSuccess(owner, text))
        showInformation(owner, text, kConfirmTitle);
    else if (outcomeWatcher != nullptr)
        outcomeWatcher(text);
}

int askOkCancel(HWND owner, const char* text, const char* title) {
    return MessageBoxA(owner, text, title, MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

int askYesNoCancel(HWND owner, const char* text, const char* title) {
    return MessageBoxA(owner, text, title, MB_YESNOCANCEL | MB_ICONQUESTION);
}
