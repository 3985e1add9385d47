// Entry point: single instance, settings, launch mode, main window and message loop.
#include <windows.h>

#include <new>

#include "../common/message_box.h"
#include "../resources/resource.h"
#include "app_state.h"
#include "app_texts.h"
#include "instance_mutex.h"
#include "main_window.h"
#include "running_instance.h"
#include "start_request.h"
#include "tray_icon.h"
#include "startup_trace.h"

namespace {

constexpr int kOffScreenPosition = 9999;
constexpr int kNormalWidth = 320;
constexpr int kNormalHeight = 100;

// The show command the process was started with.
int startupShowCommand() {
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

void sendCommand(HWND window, int commandId) { SendMessageA(window, WM_COMMAND, MAKEWPARAM(commandId, 0), 0); }

void offerShortcuts(HWND window) {
    if (!askOkCancel(window, kFirstRunOfferText, kFirstRunOfferTitle)) return;
    sendCommand(window, IDM_SHORTCUT_SELECT);
    sendCommand(window, IDM_SHORTCUT_SAVE);
}

void startTask(HWND window, const StartRequest& request) {
    if (request.mode == Resident) {
        // At logon the shell may not take the icon yet: tried again, and the window shown if
        // it never does, never nothing at all.
        if (!enterNotificationArea(window, 1)) bringMainWindowForward(window);
    } else if (request.mode != Normal) {
        runStartRequest(window, request);
    } else if (appState->firstTime == 1) {
        offerShortcuts(window);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    startupMark("entry");
    // A file on a drive without a disk fails quietly instead of asking for one.
    SetErrorMode(SEM_FAILCRITICALERRORS);
    appState = nullptr;
    // The runtime's own idea of the tail differs in corner cases; take it from the command line.
    const char* tail = commandLineTail(GetCommandLineA());
    const StartRequest request = parseStartRequest(tail);
    // Another Tessaly runs: it is handed the request, or this start says why not.
    int handedOverExitCode = 0;
    if (!becomeFirstInstance(tail, request.mode, &handedOverExitCode)) return handedOverExitCode;
    startupMark("single-instance mutex");

    appState = new (std::nothrow) AppState(kSettingsFilePath);
    if (appState == nullptr) {
        releaseInstanceMutex();
        return exitCodeBeforeTask(request.mode);
    }
    appState->loadFirstTime();
    appState->launchMode = request.mode;
    appState->exitCode = exitCodeBeforeTask(appState->launchMode);
    startupMark("settings file, command line");

    // The visible and the resident tool have a window of their own; a one-task start's
    // stays off-screen. The resident one's is hidden until asked for.
    const bool ownWindow = !isOneTaskMode(appState->launchMode);
    const int x = ownWindow ? CW_USEDEFAULT : kOffScreenPosition;
    const int y = ownWindow ? CW_USEDEFAULT : kOffScreenPosition;
    const int width = ownWindow ? kNormalWidth : 0;
    const int height = ownWindow ? kNormalHeight : 0;
    const int showCommand = appState->launchMode == Resident ? SW_HIDE : startupShowCommand();

    HWND window = nullptr;
    if (!registerMainWindowClass(instance, kMainWindowClassName) ||
        !createMainWindow(instance, kMainWindowClassName, showCommand, &window, x, y, width,
                          height)) {
        const int exitCode = appState->exitCode;
        delete appState;
        appState = nullptr;
        releaseInstanceMutex();
        return exitCode;
    }

    startTask(window, request);

    MSG message;
    message.wParam = 0;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    appState->saveFirstTime();
    const int exitCode = ownWindow ? static_cast<int>(message.wParam) : appState->exitCode;
    delete appState;
    appState = nullptr;
    releaseInstanceMutex();
    return exitCode;
}
