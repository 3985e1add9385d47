// The notification area's icon of a resident Tessaly. The hidden main window owns it and
// takes its messages; its tooltip names the saved places that hold now, its right-click
// menu, built afresh each time, lists them (checked where they hold) with the tool's tasks,
// and both follow the network.
#pragma once

#include <windows.h>

// The icon's mouse messages to the main window; lParam is the mouse message.
constexpr UINT kTrayIconMessage = WM_APP + 1;
// The main window's timers: the look whether the network changed, and the icon tried again.
constexpr UINT_PTR kNetworkTimerId = 1;
constexpr UINT_PTR kIconRetryTimerId = 2;

// Puts the icon into the notification area and hides the window. When the shell takes no
// icon: 0 and the window stays as it was; or, patient (a start at logon, before the shell
// is ready), 1, and the icon is tried again for two minutes before the window is shown.
int enterNotificationArea(HWND window, int patient);
// 1 while the icon is there: closing the window then hides it.
int isResident();
// 1 while the icon's menu is open.
int isTrayMenuOpen();
// At the window's end: the icon goes, the watch stops.
void leaveNotificationArea(HWND window);

// The icon's menu, made afresh: every profile (checked where it holds now, the item's id
// IDM_TRAY_PROFILE_FIRST + its index), then the tasks; the tooltip is brought up to date
// too. Null when no menu could be made; the caller destroys it.
HMENU buildTrayMenu(HWND window, int* profileCount);

// The tooltip from a fresh comparison of the profiles with what the connections hold, then
// what arriving at the network seen asks for (an offer, or an automatic apply).
void refreshTrayTip(HWND window);
// The main window's handlers of the icon's messages, of its timers and of the shell's
// "TaskbarCreated" (Explorer started again: the icon is added anew, patiently).
LRESULT onTrayIconMessage(HWND window, LPARAM mouseMessage);
void onTrayTimer(HWND window, UINT_PTR timerId);
void onTaskbarCreated(HWND window);
UINT taskbarCreatedMessage();
