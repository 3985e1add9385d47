// The yardstick of the start-up benchmark: the least a Win32 window program does (register
// a class, show a 320 x 100 window, run the message loop). Its traced build passes the
// marks tessaly.exe's does where it takes the same step.
#include <windows.h>

#include "app/startup_trace.h"

namespace {

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) startupMark("window created (WM_CREATE)");
    if (message == WM_PAINT) startupMark("first paint");
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    startupMark("entry");
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "Minimal";
    startupMark("icons and cursor loaded");
    if (!RegisterClassA(&windowClass)) return 1;
    HWND window = CreateWindowExA(0, "Minimal", "Minimal", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 320, 100, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    ShowWindow(window, showCommand);
    startupMark("window shown");
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
