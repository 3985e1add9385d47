// Reading a dialog control's text into a fixed buffer.
#pragma once

#include <windows.h>

#include <cstddef>

// The control's whole text, cut at a character boundary to fit out (outSize bytes);
// empty when memory is short.
void readControlTextCut(HWND dialog, int id, char* out, size_t outSize);

// A list box item's text into out (outSize bytes); 1 when it was read, otherwise out is
// empty. On a double-byte system LB_GETTEXTLEN may count up to two bytes a character, more
// than the text has: give twice the room the longest item needs, so that no item is
// refused by that count and LB_GETTEXT, which takes no size, never writes past out.
int readListItemText(HWND list, int item, char* out, size_t outSize);
