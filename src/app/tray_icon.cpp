#include "tray_icon.h"

#include <cstring>

#include "../adapters/network_extra.h"
#include "../adapters/network_now.h"
#include "../adapters/network_watch.h"
#include "../common/late_binding.h"
#include "../common/message_box.h"
#include "../common/profile_text.h"
#include "../common/text_builder.h"
#include "../profiles/profile_apply.h"
#include "../profiles/profile_comparison.h"
#include "../common/task_outcome.h"
#include "../resources/resource.h"
#include "arrival_rules.h"
#include "main_window.h"
#include "switch_log.h"
#include "tray_texts.h"

namespace {

constexpr UINT kIconId = 1;
// How often the timer looks whether the registry signalled a change.
constexpr UINT kNetworkTimerMs = 1000;
// The ARP table is looked at every this many ticks.
constexpr unsigned kArpLookTicks = 8;
// A shell still starting at logon may take the icon only later: tried again this often,
// for two minutes.
constexpr UINT kIconRetryMs = 2000;
constexpr int kIconRetries = 60;
constexpr UINT kBalloonMs = 10000;
constexpr char kBalloonTitle[] = "Tessaly";
constexpr char kNoProfilesItem[] = "（保存した設定はありません）";
constexpr char kTrayTipPrefix[] = "Tessaly - ";
constexpr char kAutoSwitchMenu[] = "このネットワークにつながったら自動で切り替える";
constexpr char kAutoSwitchNotWrittenText[] = "自動で切り替えるかどうかを保存できませんでした。";
constexpr char kAutoSwitchingText[] = "自動で切り替えます。";
constexpr char kAutoSwitchedTitle[] = "Tessaly - 自動で切り替えました";
// The shell's word that the user clicked the balloon (shell 6.0, Windows XP, and later).
constexpr UINT kBalloonClicked = WM_USER + 5;
constexpr UINT kBalloonGone[] = {WM_USER + 3, WM_USER + 4};  // hidden, timed out

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

// The network as last seen, and what was done about arriving at it.
NetworkNow seenNetwork;
uint32_t seenSignature = 0;
ArrivalRules arrival;
// The profile the balloon shown offers; empty when the balloon shown offers none.
char offeredName[kProfileNameSize] = "";
const char* balloonTitle = nullptr;  // null: kBalloonTitle

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
// A profile that holds away from its network is told instead.
void showTip(HWND window, const ProfileComparison* comparisons, int count) {
    GrowingText names, away;
    for (int i = 0; i < count && names.length() < kTrayTipSize; ++i) {
        ProfileEntry entry;
        char shown[2 * kProfileNameSize];
        if (!comparisons[i].holdsNow || !catalog->entryAt(i, &entry)) continue;
        doubleAmpersands(entry.name, shown, sizeof shown);
        names.add(names.length() != 0 ? kTrayTipNameSeparator : "").add(shown);
        if (comparisons[i].notItsNetwork && away.length() == 0) sayNotItsPlace(shown, away.add(kTrayTipPrefix));
    }
    const int isAway = away.length() != 0;
    char* joined = nullptr;
    if (!(isAway ? away : names).hand(&joined)) return;
    char tip[kTrayTipSize];
    if (isAway)
        copyTextCut(tip, sizeof tip, joined);
    else
        composeTrayTip(joined, tip, sizeof tip);
    delete[] joined;
    if (std::strcmp(tip, shownTip) == 0) return;
    NOTIFYICONDATAA data;
    prepareIconData(&data, window, NIF_TIP);
    lstrcpynA(data.szTip, tip, sizeof data.szTip);
    lstrcpynA(shownTip, tip, sizeof shownTip);
    tellShell(NIM_MODIFY, &data);
}

int tellInBalloon(const char* text, const char* title) {
    NOTIFYICONDATAA data;
    prepareIconData(&data, iconWindow, NIF_INFO);
    copyTextCut(data.szInfo, sizeof data.szInfo, text);
    copyTextCut(data.szInfoTitle, sizeof data.szInfoTitle, title);
    data.uTimeout = kBalloonMs;
    data.dwInfoFlags = NIIF_INFO;
    return tellShell(NIM_MODIFY, &data);
}

// While the window is hidden there, a success is told in a balloon of the icon.
int showBalloon(HWND, const char* text) {
    if (iconWindow == nullptr || IsWindowVisible(iconWindow)) return 0;
    offeredName[0] = '\0';
    return tellInBalloon(text, balloonTitle != nullptr ? balloonTitle : kBalloonTitle);
}

// Arrived at the network the profile was saved on: a balloon offers it, and a click on
// the balloon applies it.
void offerProfile(int index) {
    GrowingText offer;
    char* text = nullptr;
    const char* name = catalog->entries[index].name;
    sayArrivalOffer(name, offer);
    if (offer.hand(&text) && tellInBalloon(text, kBalloonTitle)) copyTextCut(offeredName, sizeof offeredName, name);
    delete[] text;
}

// The profile applied without asking, as from the menu (rights, script check, verdict),
// its reason and its verdict written to the log; a verdict that took in a balloon.
char switchingName[kProfileNameSize] = "";

void logVerdict(const char* text) { appendSwitchLog(switchingName, text); }

void switchAutomatically(HWND window, int index, const PlaceEntry& evidence) {
    GrowingText reason;
    char* line = nullptr;
    copyTextCut(switchingName, sizeof switchingName, catalog->entries[index].name);
    sayPlaceMatch(switchingName, evidence, reason);
    if (reason.add(kAutoSwitchingText).hand(&line)) appendSwitchLog(switchingName, line);
    delete[] line;
    outcomeWatcher = logVerdict;
    balloonTitle = kAutoSwitchedTitle;
    const int outcome = applyProfile(window, catalog, runner, index);
    balloonTitle = nullptr;
    outcomeWatcher = nullptr;
    arrival.applied(switchingName, outcome == kTaskDone);
}

// The tooltip, then what arriving at this network asks for (a command just ended, or the
// network changed).
void followNetwork(HWND window) {
    ProfileComparison* comparisons = nullptr;
    if (catalog == nullptr || !compareProfilesWithNow(*catalog, &comparisons, 0)) return;
    const int count = catalog->count();
    showTip(window, comparisons, count);
    arrival.notice(seenSignature, GetTickCount(), lastApplyEndTick());
    ArrivalView view = {seenSignature, 0, -1, 0, -1};
    PlaceEntry evidence = {};
    for (int i = 0; i < count; ++i) {
        if (!comparisons[i].onItsNetwork || comparisons[i].holdsNow) continue;
        view.offerCount++;
        view.offerIndex = i;
        if (!comparisons[i].autoSwitch || arrival.heldBack(catalog->entries[i].name)) continue;
        view.autoCount++;
        view.autoIndex = i;
        evidence = comparisons[i].evidence;
    }
    releaseProfileComparisons(comparisons, count);
    switch (arrival.decide(view)) {
    case ArrivalStep::Offer: offerProfile(view.offerIndex); break;
    case ArrivalStep::Apply: switchAutomatically(window, view.autoIndex, evidence); break;
    default: break;
    }
}

}  // namespace

HMENU buildTrayMenu(HWND window, int* profileCount) {
    HMENU menu = CreatePopupMenu();
    ProfileComparison* comparisons = nullptr;
    const int count = menu != nullptr && catalog != nullptr && compareProfilesWithNow(*catalog, &comparisons, 0)
                          ? catalog->count() : 0;
    // Which profiles are switched to on arrival: one that recorded no network cannot be.
    HMENU automatic = menu != nullptr && count > 0 ? CreatePopupMenu() : nullptr;
    for (int i = 0; i < count; ++i) {
        ProfileEntry entry;
        char text[2 * kProfileNameSize];
        if (!catalog->entryAt(i, &entry)) continue;
        doubleAmpersands(entry.name, text, sizeof text);
        AppendMenuA(menu, MF_STRING | (comparisons[i].holdsNow ? MF_CHECKED : 0), IDM_TRAY_PROFILE_FIRST + i, text);
        if (automatic != nullptr)
            AppendMenuA(automatic, MF_STRING | (comparisons[i].autoSwitch ? MF_CHECKED : 0) |
                                       (comparisons[i].recordsNetwork ? 0 : MF_GRAYED),
                        IDM_TRAY_AUTO_FIRST + i, text);
    }
    if (comparisons != nullptr) showTip(window, comparisons, count);
    releaseProfileComparisons(comparisons, count);
    if (menu == nullptr) return nullptr;
    if (count == 0) AppendMenuA(menu, MF_STRING | MF_GRAYED, 0, kNoProfilesItem);
    if (automatic != nullptr) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(automatic), kAutoSwitchMenu);
    }
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
    const int wasChecked = (GetMenuState(menu, chosen, MF_BYCOMMAND) & MF_CHECKED) != 0;
    DestroyMenu(menu);
    if (chosen >= IDM_TRAY_PROFILE_FIRST && chosen < IDM_TRAY_PROFILE_FIRST + count) {
        // A profile: the apply of "/L NAME", on the one listed there.
        applyProfile(window, catalog, runner, chosen - IDM_TRAY_PROFILE_FIRST);
    } else if (chosen >= IDM_TRAY_AUTO_FIRST && chosen < IDM_TRAY_AUTO_FIRST + count) {
        // The mark flips; a profile marked while its network is here is switched to at the
        // next change of network, not at once.
        if (!catalog->writeProfileKey(chosen - IDM_TRAY_AUTO_FIRST, kAutoSwitchKey, wasChecked ? nullptr : "1"))
            showInformation(window, kAutoSwitchNotWrittenText, kConfirmTitle);
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
        readNetworkNow(&seenNetwork, 0);
        seenSignature = networkSignature(seenNetwork);
        arrival.start(seenSignature);
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
    // What a command changed of the network is seen by the next tick, within 10 s of its
    // apply's verdict, and taken as the apply's own.
    if (iconWindow != nullptr) followNetwork(window);
}

namespace {

// A click on the balloon that offers a profile applies it, unless a command is under way.
void onBalloonClicked(HWND window) {
    char name[kProfileNameSize];
    copyTextCut(name, sizeof name, offeredName);
    offeredName[0] = '\0';
    const int index = name[0] != '\0' && catalog != nullptr ? catalog->indexOfName(name) : -1;
    if (index < 0) return;
    if (menuOpen || !IsWindowEnabled(window)) {
        bringMainWindowForward(window);
        return;
    }
    applyProfile(window, catalog, runner, index);
    refreshTrayTip(window);
}

}  // namespace

LRESULT onTrayIconMessage(HWND window, LPARAM mouseMessage) {
    if (mouseMessage == WM_RBUTTONUP) showTrayMenu(window);
    if (mouseMessage == WM_LBUTTONDBLCLK) bringMainWindowForward(window);
    if (static_cast<UINT>(mouseMessage) == kBalloonClicked) onBalloonClicked(window);
    for (UINT gone : kBalloonGone)
        if (static_cast<UINT>(mouseMessage) == gone) offeredName[0] = '\0';
    return 0;
}

void onTrayTimer(HWND window, UINT_PTR timerId) {
    if (timerId == kIconRetryTimerId) onIconRetryTimer(window);
    // In the middle of a command (a dialog, a box, a netsh run) the change waits: the
    // command's end brings the tooltip up to date, or the next tick after it. The registry
    // tells a change of settings; a gateway answering with another hardware address (the
    // same settings, plugged elsewhere) shows only in the ARP table, looked at every few
    // ticks.
    static unsigned ticks = 0;
    if (timerId != kNetworkTimerId || menuOpen || !IsWindowEnabled(window)) return;
    const int settingsChanged = networkMayHaveChanged();
    if (settingsChanged)
        readNetworkNow(&seenNetwork, 0);
    else if (++ticks % kArpLookTicks == 0)
        refreshGatewayHardware(&seenNetwork);
    const uint32_t signature = networkSignature(seenNetwork);
    if (!settingsChanged && signature == seenSignature && !arrival.pending(signature)) return;
    // An offer is for the network it was made on.
    if (signature != seenSignature) offeredName[0] = '\0';
    seenSignature = signature;
    followNetwork(window);
}

void onTaskbarCreated(HWND window) {
    if (iconWindow != nullptr && !addIcon(window)) retryIcon(window);
}

UINT taskbarCreatedMessage() {
    static UINT message = 0;
    if (message == 0) message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}
