// Centres a window on the desktop, keeps its size and shows it. Always returns 1.
#pragma once

#include <windows.h>

int centerWindowOnDesktop(HWND window);
