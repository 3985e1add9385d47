#include "center_window.h"

int centerWindowOnDesktop(HWND window) {
    RECT desktop = {0, 0, 0, 0};
    RECT own = {0, 0, 0, 0};
    GetWindowRect(GetDesktopWindow(), &desktop);
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    const int left = (desktop.right - width) / 2;
    const int top = (desktop.bottom - height) / 2;
    SetWindowPos(window, nullptr, left, top, width, height, SWP_SHOWWINDOW);
    return 1;
}
