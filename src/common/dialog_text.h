// Reading a dialog control's text into a fixed buffer.
#pragma once

#include <windows.h>

#include <cstddef>

// The control's whole text, cut at a character boundary to fit out (outSize bytes);
// empty when memory is short.
void readControlTextCut(HWND dialog, int id, char* out, size_t outSize);
