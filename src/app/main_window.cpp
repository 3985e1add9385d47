#include "main_window.h"

#include <new>

#include "../common/center_window.h"
#include "../common/message_box.h"
#include "../common/task_outcome.h"
#include "../netcmd/command_runner.h"
#include "../profiles/profile_apply.h"
#include "../profiles/profile_catalog.h"
#include "../profiles/save_dialog.h"
#include "../profiles/select_dialog.h"
#include "../resources/resource.h"
#include "../shortcuts/desktop_shortcut.h"
#include "../tcpip/tcpip_dialog.h"
#include "app_state.h"
#include "app_texts.h"
#include "running_instance.h"
#include "startup_trace.h"
#include "tray_icon.h"
#include "version_dialog.h"
#include "version_code.h"
#include "windows_version.h"

ProfileCatalog* catalog = nullptr;
CommandRunner* runner = nullptr;
int clientHeight = 0;

namespace {

// The window class's small icon, which the notification area shows too.
HICON smallIcon = nullptr;

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 50;
constexpr int kCreationWidth = 320;
constexpr int kCreationHeight = 100;
constexpr int kOneTaskClientHeight = 56;

LaunchMode currentLaunchMode() { return appState != nullptr ? appState->launchMode : Normal; }
// The visible tool or the resident one; the one-task modes' window stays off-screen.
int hasOwnWindow() { return !isOneTaskMode(currentLaunchMode()); }

void closeMainWindow(HWND window) { SendMessageA(window, WM_CLOSE, 0, 0); }

int fitClientArea(HWND window) {
    RECT client;
    if (!GetClientRect(window, &client)) {
        clientHeight = kOneTaskClientHeight;
        return 1;
    }
    // The frame of the 320 x 100 window plus a 300 x 50 client area.
    const int outerWidth = kClientWidth + (kCreationWidth - client.right);
    const int outerHeight = kClientHeight + (kCreationHeight - client.bottom);
    SetWindowPos(window, nullptr, 0, 0, outerWidth, outerHeight, SWP_NOZORDER | SWP_NOMOVE);
    if (GetClientRect(window, &client)) clientHeight = client.bottom;
    return 1;
}

LRESULT onCreate(HWND window) {
    startupMark("window created (WM_CREATE)");
    catalog = nullptr;
    runner = nullptr;
    if (currentLaunchMode() == Normal) centerWindowOnDesktop(window);

    catalog = new (std::nothrow) ProfileCatalog(kCatalogFilePath);
    if (catalog == nullptr) {
        closeMainWindow(window);
        return -1;
    }
    catalog->load();
    runner = new (std::nothrow) CommandRunner;
    if (runner == nullptr) {
        closeMainWindow(window);
        return -1;
    }
    runner->owner = window;
    if (!isSupportedVersionCode(classifyWindowsVersion())) {
        showInformation(window, kVersionGateText, kConfirmTitle);
        closeMainWindow(window);
        return -1;
    }

    if (hasOwnWindow()) {
        fitClientArea(window);
    } else {
        clientHeight = kOneTaskClientHeight;
    }
    startupMark("catalogue, version gate, size");
    return 0;
}

void paintBackground(HDC dc) {
    HBITMAP picture = static_cast<HBITMAP>(
        LoadImageA(nullptr, kBackgroundPicturePath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (picture == nullptr) return;
    BITMAP info;
    ZeroMemory(&info, sizeof info);
    GetObjectA(picture, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    if (memory != nullptr) {
        HGDIOBJ previous = SelectObject(memory, picture);
        if (info.bmHeight == clientHeight) {
            BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
        } else if (info.bmHeight > 0) {
            // Keep the proportions at the client height; the product in a double, exact for
            // any two ints (a 64-bit division would bring the runtime's helper and its
            // unwind table into the 32-bit exe), then the int range.
            const double width = static_cast<double>(clientHeight) * info.bmWidth / info.bmHeight;
            const int destinationWidth = width > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(width);
            StretchBlt(dc, 0, 0, destinationWidth, clientHeight, memory, 0, 0, info.bmWidth,
                       info.bmHeight, SRCCOPY);
        }
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    DeleteObject(picture);
}

LRESULT onPaint(HWND window) {
    startupMark("first paint");
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (dc != nullptr && hasOwnWindow()) paintBackground(dc);
    EndPaint(window, &paint);
    return 0;
}

LRESULT onDestroy(HWND window) {
    leaveNotificationArea(window);
    delete runner;
    runner = nullptr;
    delete catalog;
    catalog = nullptr;
    PostQuitMessage(0);
    return 0;
}

// A disabled window is in the middle of a command, whose catalogue and runner the close
// would free: it stays. A resident tool goes back into the notification area.
LRESULT onClose(HWND window) {
    if (!IsWindowEnabled(window)) return 0;
    if (isResident())
        ShowWindow(window, SW_HIDE);
    else
        DestroyWindow(window);
    return 0;
}

// The user's own step: the shell's no is told at once.
void toNotificationArea(HWND window) {
    if (!enterNotificationArea(window, 0)) showInformation(window, kNoNotificationAreaText, kConfirmTitle);
}

// The Startup shortcut's item is checked while the shortcut is there.
LRESULT onInitMenuPopup(HWND window, HMENU menu) {
    if (GetMenuState(menu, IDM_STARTUP_SHORTCUT, MF_BYCOMMAND) != static_cast<UINT>(-1))
        CheckMenuItem(menu, IDM_STARTUP_SHORTCUT,
                      MF_BYCOMMAND | (hasStartupShortcut(window) ? MF_CHECKED : MF_UNCHECKED));
    return 0;
}

void showSettingsNote(HWND window) { showInformation(window, kSettingsNoteText, kSettingsNoteTitle); }

LRESULT onCommand(HWND window, int commandId) {
    // Disabled under a dialog or while netsh runs: a command that arrives anyway waits
    // for nothing and starts nothing.
    if (!IsWindowEnabled(window)) return 0;
    switch (commandId) {
    case IDM_SELECT_PROFILE: runSelectCommand(window, catalog, runner); break;
    case IDM_SAVE_PROFILE: runSaveCommand(window, catalog, runner); break;
    case IDM_TCPIP_SETTINGS: runTcpIpCommand(window, catalog, runner); break;
    case IDM_EXIT: DestroyWindow(window); break;
    case IDM_SHORTCUT_SELECT:
    case IDM_SHORTCUT_SAVE:
    case IDM_SHORTCUT_TCPIP: runShortcutCommand(window, commandId); break;
    case IDM_SETTINGS: showSettingsNote(window); break;
    case IDM_VERSION: runVersionCommand(window); break;
    case IDM_TO_TRAY: toNotificationArea(window); break;
    case IDM_STARTUP_SHORTCUT: runStartupShortcutCommand(window); break;
    case IDM_OPEN_WINDOW: bringMainWindowForward(window); break;
    default: break;
    }
    return 0;
}

}  // namespace

static_assert(kStartNameSize == kProfileNameSize, "a start's name is a profile's");

int runStartRequest(HWND window, const StartRequest& request) {
    // Disabled under a dialog or while netsh runs: nothing more is started.
    if (!IsWindowEnabled(window)) return kTaskNotDone;
    int outcome = kTaskDone;
    switch (request.mode) {
    case Select: outcome = runSelectCommand(window, catalog, runner); break;
    case Save: outcome = runSaveCommand(window, catalog, runner); break;
    case TcpIp: outcome = runTcpIpCommand(window, catalog, runner); break;
    case SelectNamed:
        outcome = applyNamedProfile(window, catalog, runner, request.profileName, request.nameIsWhole);
        break;
    case Resident:
        if (hasOwnWindow()) enterNotificationArea(window, 1);
        return kTaskDone;
    case Normal: return kTaskDone;
    }
    // A one-task start ends once its task has run its course, with its outcome as the exit code.
    if (!hasOwnWindow()) {
        appState->exitCode = outcome;
        closeMainWindow(window);
    }
    return outcome;
}

void bringMainWindowForward(HWND window) {
    HWND front = GetLastActivePopup(window);
    if (front == nullptr || front == window) {
        front = window;
        // Restored where it was, or, hidden in the notification area, shown in the middle.
        if (hasOwnWindow() && IsIconic(window))
            ShowWindow(window, SW_RESTORE);
        else if (hasOwnWindow() && !IsWindowVisible(window))
            centerWindowOnDesktop(window);
    } else if (IsIconic(front)) {
        ShowWindow(front, SW_RESTORE);
    }
    SetForegroundWindow(front);
}

HICON programSmallIcon() { return smallIcon; }

ATOM registerMainWindowClass(HINSTANCE instance, const char* className) {
    WNDCLASSEXA windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TESSALY));
    // The icon's own small image: left out, the system copies it from the large one, which
    // Wine makes the dearest step of a start (2 ms of the 4 ms it adds to a bare window).
    // Not shared: a shared load would be given the large image already cached under the
    // name. It lives as long as the process.
    smallIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TESSALY), IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                              LR_DEFAULTCOLOR));
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = "IDM_MAIN_MENU";
    windowClass.lpszClassName = className;
    startupMark("icons and cursor loaded");
    return RegisterClassExA(&windowClass);
}

int createMainWindow(HINSTANCE instance, const char* className, int showCommand, HWND* window, int x,
                     int y, int width, int height) {
    HWND created = CreateWindowExA(0, className, kMainWindowTitle,
                                   WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, x, y, width, height,
                                   nullptr, nullptr, instance, nullptr);
    if (created == nullptr) return 0;
    ShowWindow(created, showCommand);
    startupMark("window shown");
    UpdateWindow(created);
    if (window != nullptr) *window = created;
    return 1;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return onCreate(window);
    case WM_PAINT: return onPaint(window);
    case WM_CLOSE: return onClose(window);
    case WM_DESTROY: return onDestroy(window);
    case WM_COMMAND: return onCommand(window, LOWORD(wParam));
    case WM_INITMENUPOPUP: return onInitMenuPopup(window, reinterpret_cast<HMENU>(wParam));
    case WM_COPYDATA:
        return receiveHandOver(window, reinterpret_cast<HWND>(wParam), reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kRunHandedOverMessage: runHandedOverTask(window); return 0;
    case kTrayIconMessage: return onTrayIconMessage(window, lParam);
    case WM_TIMER: onTrayTimer(window, wParam); return 0;
    default:
        if (isResident() && message == taskbarCreatedMessage()) onTaskbarCreated(window);
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
