#include "dialog_text.h"

#include <new>

#include "profile_text.h"

void readControlTextCut(HWND dialog, int id, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    out[0] = '\0';
    HWND control = GetDlgItem(dialog, id);
    const int length = GetWindowTextLengthA(control);
    char* text = new (std::nothrow) char[length + 1];
    if (text == nullptr) return;
    text[0] = '\0';
    GetWindowTextA(control, text, length + 1);
    copyTextCut(out, outSize, text);
    delete[] text;
}

int readListItemText(HWND list, int item, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return 0;
    out[0] = '\0';
    const LRESULT length = SendMessageA(list, LB_GETTEXTLEN, item, 0);
    if (length < 0 || static_cast<size_t>(length) >= outSize) return 0;
    return SendMessageA(list, LB_GETTEXT, item, reinterpret_cast<LPARAM>(out)) >= 0;
}
