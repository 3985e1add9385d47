#include "tray_icon.h"

#include "../adapters/network_watch.h"
#include "../common/late_binding.h"
#include "../common/message_box.h"
#include "../common/profile_text.h"
#include "../common/text_builder.h"
#include "../profiles/profile_apply.h"
#include "../profiles/profile_comparison.h"
#include "../resources/resource.h"
#include "main_window.h"
#include "tray_texts.h"

namespace {

constexpr UINT kIconId = 1;
// How often the timer looks whether the registry signalled a change.
constexpr UINT kNetworkTimerMs = 1000;
// A shell still starting at logon may take the icon only later: tried again this often,
// for two minutes.
constexpr UINT kIconRetryMs = 2000;
constexpr int kIconRetries = 60;
constexpr UINT kBalloonMs = 10000;
constexpr char kBalloonTitle[] = "Tessaly";
constexpr char kNoProfilesItem[] = "（保存した設定はありません）";

struct TrayTask {
    int commandId;  // 0: a separator
    const char* text;
};

// After the profiles, the tool's tasks.
const TrayTask kTrayTasks[] = {
    {0, nullptr},
    {IDM_SELECT_PROFILE, "選択…"},
    {IDM_SAVE_PROFILE, "保存…"},
    {IDM_TCPIP_SETTINGS, "TCP/IPの設定…"},
    {0, nullptr},
    {IDM_OPEN_WINDOW, "ウィンドウを開く"},
    {IDM_EXIT, "終了"},
};

HWND iconWindow = nullptr;
int menuOpen = 0;
char shownTip[kTrayTipSize] = "";
int iconRetriesLeft = 0;

// A record of the size shell 5.0 (Windows 2000) reads, for the icon of this window.
void prepareIconData(NOTIFYICONDATAA* data, HWND window, UINT flags) {
    ZeroMemory(data, sizeof *data);
    data->cbSize = NOTIFYICONDATAA_V2_SIZE;
    data->hWnd = window;
    data->uID = kIconId;
    data->uFlags = flags;
}

int tellShell(DWORD message, NOTIFYICONDATAA* data) {
    const auto notify = late::Shell_NotifyIconA();
    return notify != nullptr && notify(message, data);
}

int addIcon(HWND window) {
    NOTIFYICONDATAA data;
    prepareIconData(&data, window, NIF_MESSAGE | NIF_ICON | NIF_TIP);
    data.uCallbackMessage = kTrayIconMessage;
    data.hIcon = programSmallIcon();
    lstrcpynA(data.szTip, shownTip, sizeof data.szTip);
    // A shell busy at logon may say no after a timeout and add the icon all the same: then
    // the icon is there to be changed.
    return tellShell(NIM_ADD, &data) || tellShell(NIM_MODIFY, &data);
}

void retryIcon(HWND window) {
    iconRetriesLeft = kIconRetries;
    SetTimer(window, kIconRetryTimerId, kIconRetryMs, nullptr);
}

void onIconRetryTimer(HWND window) {
    if (addIcon(window)) {
        KillTimer(window, kIconRetryTimerId);
        return;
    }
    if (--iconRetriesLeft > 0) return;
    // The shell never took it: the tool does not stay hidden with nothing to show.
    leaveNotificationArea(window);
    bringMainWindowForward(window);
}

// The tooltip naming the profiles that hold by the comparison; told to the shell only
// when it changed.
void showTip(HWND window, const ProfileComparison* comparisons, int count) {
    GrowingText names;
    for (int i = 0; i < count && names.length() < kTrayTipSize; ++i) {
        ProfileEntry entry;
        char shown[2 * kProfileNameSize];
        if (!comparisons[i].holdsNow || !catalog->entryAt(i, &entry)) continue;
        doubleAmpersands(entry.name, shown, sizeof shown);
        names.add(names.length() != 0 ? kTrayTipNameSeparator : "").add(shown);
    }
    char* joined = nullptr;
    if (!names.hand(&joined)) return;
    char tip[kTrayTipSize];
    composeTrayTip(joined, tip, sizeof tip);
    delete[] joined;
    if (lstrcmpA(tip, shownTip) == 0) return;
    NOTIFYICONDATAA data;
    prepareIconData(&data, window, NIF_TIP);
    lstrcpynA(data.szTip, tip, sizeof data.szTip);
    lstrcpynA(shownTip, tip, sizeof shownTip);
    tellShell(NIM_MODIFY, &data);
}

// While the window is hidden there, a success is told in a balloon of the icon.
int showBalloon(HWND, const char* text) {
    if (iconWindow == nullptr || IsWindowVisible(iconWindow)) return 0;
    NOTIFYICONDATAA data;
    prepareIconData(&data, iconWindow, NIF_INFO);
    copyTextCut(data.szInfo, sizeof data.szInfo, text);
    copyTextCut(data.szInfoTitle, sizeof data.szInfoTitle, kBalloonTitle);
    data.uTimeout = kBalloonMs;
    data.dwInfoFlags = NIIF_INFO;
    return tellShell(NIM_MODIFY, &data);
}

}  // namespace

HMENU buildTrayMenu(HWND window, int* profileCount) {
    HMENU menu = CreatePopupMenu();
    ProfileComparison* comparisons = nullptr;
    const int count = menu != nullptr && catalog != nullptr && compareProfilesWithNow(*catalog, &comparisons, 0)
                          ? catalog->count() : 0;
    for (int i = 0; i < count; ++i) {
        ProfileEntry entry;
        char text[2 * kProfileNameSize];
        if (!catalog->entryAt(i, &entry)) continue;
        doubleAmpersands(entry.name, text, sizeof text);
        AppendMenuA(menu, MF_STRING | (comparisons[i].holdsNow ? MF_CHECKED : 0), IDM_TRAY_PROFILE_FIRST + i, text);
    }
    if (comparisons != nullptr) showTip(window, comparisons, count);
    releaseProfileComparisons(comparisons, count);
    if (menu == nullptr) return nullptr;
    if (count == 0) AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, kNoProfilesItem);
    for (const TrayTask& task : kTrayTasks)
        AppendMenuA(menu, task.commandId != 0 ? MF_STRING : MF_SEPARATOR, task.commandId, task.text);
    *profileCount = count;
    return menu;
}

namespace {

void showTrayMenu(HWND window) {
    // In the middle of a command, the icon brings it forward instead of starting another.
    if (!IsWindowEnabled(window)) {
        bringMainWindowForward(window);
        return;
    }
    // Open from here on: the shell's calls while the menu is made let other messages in,
    // and a second start is told the tool is busy.
    menuOpen = 1;
    int count = 0;
    HMENU menu = buildTrayMenu(window, &count);
    if (menu == nullptr) {
        menuOpen = 0;
        return;
    }
    POINT at = {0, 0};
    GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if its window is in front.
    SetForegroundWindow(window);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr);
    menuOpen = 0;
    PostMessageA(window, WM_NULL, 0, 0);
    DestroyMenu(menu);
    if (chosen >= IDM_TRAY_PROFILE_FIRST && chosen < IDM_TRAY_PROFILE_FIRST + count) {
        // A profile: the apply of "/L NAME", on the one listed there.
        applyProfile(window, catalog, runner, chosen - IDM_TRAY_PROFILE_FIRST);
    } else if (chosen != 0) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    }
    refreshTrayTip(window);
}

}  // namespace

int enterNotificationArea(HWND window, int patient) {
    if (iconWindow == nullptr) {
        // Known before the shell could restart, so that its "TaskbarCreated" is understood.
        taskbarCreatedMessage();
        shownTip[0] = '\0';
        const int added = addIcon(window);
        if (!added && !patient) return 0;
        iconWindow = window;
        quietSuccess = showBalloon;
        startNetworkWatch();
        SetTimer(window, kNetworkTimerId, kNetworkTimerMs, nullptr);
        if (!added) retryIcon(window);
        refreshTrayTip(window);
    }
    ShowWindow(window, SW_HIDE);
    return 1;
}

int isResident() { return iconWindow != nullptr; }

int isTrayMenuOpen() { return menuOpen; }

void leaveNotificationArea(HWND window) {
    if (iconWindow == nullptr) return;
    NOTIFYICONDATAA data;
    prepareIconData(&data, window, 0);
    tellShell(NIM_DELETE, &data);
    KillTimer(window, kNetworkTimerId);
    KillTimer(window, kIconRetryTimerId);
    stopNetworkWatch();
    quietSuccess = nullptr;
    iconWindow = nullptr;
}

void refreshTrayTip(HWND window) {
    ProfileComparison* comparisons = nullptr;
    if (iconWindow == nullptr || catalog == nullptr || !compareProfilesWithNow(*catalog, &comparisons, 0)) return;
    showTip(window, comparisons, catalog->count());
    releaseProfileComparisons(comparisons, catalog->count());
}

LRESULT onTrayIconMessage(HWND window, LPARAM mouseMessage) {
    if (mouseMessage == WM_RBUTTONUP) showTrayMenu(window);
    if (mouseMessage == WM_LBUTTONDBLCLK) bringMainWindowForward(window);
    return 0;
}

void onTrayTimer(HWND window, UINT_PTR timerId) {
    if (timerId == kIconRetryTimerId) onIconRetryTimer(window);
    // In the middle of a command (a dialog, a box, a netsh run) the change waits: the
    // command's end brings the tooltip up to date, or the next tick after it.
    if (timerId == kNetworkTimerId && !menuOpen && IsWindowEnabled(window) && networkMayHaveChanged())
        refreshTrayTip(window);
}

void onTaskbarCreated(HWND window) {
    if (iconWindow != nullptr && !addIcon(window)) retryIcon(window);
}

UINT taskbarCreatedMessage() {
    static UINT message = 0;
    if (message == 0) message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}
