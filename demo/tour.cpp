// The demo run without a display: starts tessaly.exe in the current directory on the
// simulated network and walks through the main job: save the current settings as a
// profile, change a setting with netsh, apply the profile again and check that the
// value came back. Then a TCP/IP change that netsh leaves half done (the stand-in told
// to ignore DNS servers), which the tool reports setting by setting, and last a resident
// Tessaly in the notification area of Wine's taskbar, its tooltip and its menu. A picture
// of each window goes into the folder given as the first argument, as .bmp files. It
// drives the windows with the end-to-end tests' automation.
#include <cstdio>
#include <cstring>
#include <string>

#include "common/task_outcome.h"
#include "e2e/automation.h"
#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "sim_registry.h"

namespace {

std::string pictureFolder = ".";
int failures = 0;

// Saves what the screen shows in the area as a 24-bit .bmp file.
bool saveScreenArea(const RECT& area, const std::string& bmpPath) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    const std::string headers = bitmapFileHeaders(width, height);
    BITMAPINFOHEADER info;
    std::memcpy(&info, headers.data() + sizeof(BITMAPFILEHEADER), sizeof info);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    bool saved = false;
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        HANDLE out = CreateFileA(bmpPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (out != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            saved = WriteFile(out, headers.data(), static_cast<DWORD>(headers.size()), &written, nullptr) &&
                    WriteFile(out, bits, info.biSizeImage, &written, nullptr);
            CloseHandle(out);
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

void pictureOfArea(const RECT& area, const char* name) {
    const std::string path = pictureFolder + "\\" + name + ".bmp";
    if (!saveScreenArea(area, path)) {
        std::fprintf(stderr, "could not save %s\n", path.c_str());
        ++failures;
    }
}

// The window with its frame.
void picture(HWND window, const char* name) {
    Sleep(500);  // let the window finish painting
    RECT area = {0, 0, 0, 0};
    GetWindowRect(window, &area);
    pictureOfArea(area, name);
}

bool fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    ++failures;
    return false;
}

// The first address of the wired connection, as the registry holds it.
std::string lanAddress() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, interfaceKeyPath(kLanInstanceId).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return "";
    DWORD dhcp = 0;
    readNumber(key, "EnableDHCP", dhcp);
    const std::vector<std::string> addresses = readMultiText(key, "IPAddress");
    RegCloseKey(key);
    return (dhcp ? "DHCP " : "fixed ") + (addresses.empty() ? std::string("-") : addresses[0]);
}

// Waits for an outcome box, takes its picture and closes it.
bool outcome(TessalyRun& run, const char* pictureName) {
    HWND box = run.waitForDialog("確認");
    if (box == nullptr) return fail("no outcome message appeared");
    picture(box, pictureName);
    pressButton(box, IDOK);
    waitForWindowGone(box);
    return true;
}

// Saves under the name; the first save's dialog and outcome have their pictures.
bool saveProfile(TessalyRun& run, HWND mainWindow, const char* name, bool pictures) {
    postCommand(mainWindow, 501);
    HWND dialog = run.waitForDialog("ネットワークの設定を保存");
    if (dialog == nullptr) return fail("the save dialog did not appear");
    typeText(dialog, 200, name);
    if (pictures) picture(dialog, "2-save-dialog");
    pressButton(dialog, 101);
    // A profile of that name from an earlier tour is saved again in its place.
    HWND question = run.waitForDialog("確認");
    if (question != nullptr && GetDlgItem(question, IDYES) != nullptr) {
        pressButton(question, IDYES);
        waitForWindowGone(question);
    }
    return outcome(run, pictures ? "3-saved-message" : "3b-saved-again");
}

// The first profile, with what an apply would change; the one that holds now is marked.
bool applyFirstProfile(TessalyRun& run, HWND mainWindow) {
    postCommand(mainWindow, 500);
    HWND dialog = run.waitForDialog("ネットワークの設定を選択");
    if (dialog == nullptr) return fail("the selection dialog did not appear");
    SendMessageA(GetDlgItem(dialog, 100), WM_KEYDOWN, VK_HOME, 0);
    picture(dialog, "4-select-dialog");
    pressButton(dialog, 101);
    return outcome(run, "5-applied-message");
}

// Shows a dialog of a menu command for its picture, then closes it with the button.
void glance(TessalyRun& run, HWND mainWindow, int command, const char* title, int closeButton, const char* name) {
    postCommand(mainWindow, command);
    HWND dialog = run.waitForDialog(title);
    if (dialog == nullptr) {
        fail("a dialog did not appear");
        return;
    }
    picture(dialog, name);
    pressButton(dialog, closeButton);
    waitForWindowGone(dialog);
}

// A /T start whose DNS change netsh reports done but does not write.
void showUnverifiedChange(const char* workDir) {
    SetEnvironmentVariableA("TESSALY_SIM_IGNORE", "dns");
    TessalyRun run;
    if (!run.start("/T", workDir)) {
        fail("tessaly.exe /T did not start");
        return;
    }
    HWND dialog = run.waitForDialog("インターネットプロトコル(TCP/IP)の設定");
    if (dialog == nullptr) {
        fail("the TCP/IP dialog did not appear");
        return;
    }
    typeIp(dialog, 411, "192.168.0.53");
    pressButton(dialog, 101);
    HWND question = run.waitForDialog("確認");
    if (question != nullptr) pressButton(question, IDOK);
    waitForWindowGone(question);
    outcome(run, "8-verified-failure");
    std::printf("a DNS change that did not take was reported\n");
    // The change did not take: the one-task start ends with "not done" for a script to read.
    DWORD code = 0;
    if (!run.waitForExit(kWaitMs, &code) || code != kTaskNotDone) fail("tessaly.exe /T did not end with 1 (not done)");
    SetEnvironmentVariableA("TESSALY_SIM_IGNORE", nullptr);
}

// The icon's mouse messages to the main window: wParam the icon's id, lParam the message.
constexpr UINT kIconMessage = WM_APP + 1;
constexpr WPARAM kIconId = 1;

// A tooltip the taskbar shows now, or null.
HWND taskbarTooltip(HWND bar) {
    DWORD explorer = 0;
    GetWindowThreadProcessId(bar, &explorer);
    const std::vector<HWND> shown = visibleWindowsOf(explorer, "tooltips_class32", nullptr);
    return shown.empty() ? nullptr : shown.front();
}

// The area from the corner of what stands above the taskbar down to the taskbar's right
// end, with some desktop around it (more to the left, for a stretch of the taskbar).
RECT areaDownToTaskbar(const RECT& above, const RECT& bar) {
    RECT area = {above.left - 64, above.top - 24, bar.right, bar.bottom};
    if (area.left < bar.left) area.left = bar.left;
    if (area.top < 0) area.top = 0;
    return area;
}

// The tooltip control starts its delay at a mouse move over the icon, and a moved cursor
// makes one: the pointer goes away and comes back to rest on the icon, a few times at most.
HWND hoverIcon(HWND bar, POINT icon) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetCursorPos(icon.x - 200, icon.y - 200);
        Sleep(300);
        SetCursorPos(icon.x, icon.y);
        HWND tip = nullptr;
        if (waitUntil([&] { return (tip = taskbarTooltip(bar)) != nullptr; }, 3000)) return tip;
    }
    return nullptr;
}

// What a right click on the icon does, with the pointer at the point.
HWND openIconMenu(TessalyRun& run, HWND mainWindow, POINT at) {
    SetCursorPos(at.x, at.y);
    PostMessageA(mainWindow, kIconMessage, kIconId, WM_RBUTTONUP);
    return run.waitForWindow("#32768", nullptr);
}

// WM_CANCELMODE ends the menu with nothing chosen, as a click elsewhere does.
bool closeIconMenu(HWND mainWindow, HWND menu) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(mainWindow, WM_CANCELMODE, 0, 0, SMTO_NORMAL, kWaitMs, &result);
    return waitForWindowGone(menu);
}

// "/R": the icon on the taskbar, its tooltip (when Wine shows it) and its menu, closed
// again without a choice; then 503 ends the resident Tessaly with 0.
void showNotificationArea(const char* workDir) {
    TessalyRun run;
    if (!run.start("/R", workDir)) {
        fail("tessaly.exe /R did not start");
        return;
    }
    HWND bar = nullptr;
    if (!waitUntil([&] { return (bar = visibleTaskbar()) != nullptr; }, kWaitMs)) {
        fail("no icon appeared in the notification area");
        return;
    }
    // The only Tessaly running: its main window, hidden, takes the icon's messages.
    HWND mainWindow = FindWindowA("Tessaly", nullptr);
    if (mainWindow == nullptr) {
        fail("the resident Tessaly has no main window");
        return;
    }
    RECT barArea;
    GetWindowRect(bar, &barArea);
    // Wine's taskbar draws its first icon at its right end, a small icon with a border of 2.
    const int iconWidth = GetSystemMetrics(SM_CXSMICON) + 4;
    const POINT icon = {barArea.right - iconWidth / 2, (barArea.top + barArea.bottom) / 2};
    Sleep(500);  // let the taskbar draw the icon

    if (HWND tip = hoverIcon(bar, icon)) {
        Sleep(300);  // let the tooltip finish painting
        RECT tipArea;
        GetWindowRect(tip, &tipArea);
        pictureOfArea(areaDownToTaskbar(tipArea, barArea), "9-notification-area-tooltip");
        std::printf("the icon's tooltip showed\n");
    } else {
        std::printf("the icon's tooltip did not show: no picture of it\n");
    }
    SetCursorPos(icon.x - 200, icon.y - 200);
    waitUntil([&] { return taskbarTooltip(bar) == nullptr; }, 6000);

    HWND menu = openIconMenu(run, mainWindow, icon);
    RECT menuArea = {0, 0, 0, 0};
    if (menu != nullptr) GetWindowRect(menu, &menuArea);
    // Wine keeps a menu on the screen by pushing it up over the taskbar, where Windows
    // opens it above the point: opened again with its foot on the taskbar's top edge,
    // it leaves the icon in view.
    if (menu != nullptr && menuArea.bottom > barArea.top && closeIconMenu(mainWindow, menu)) {
        menu = openIconMenu(run, mainWindow, {icon.x, barArea.top - (menuArea.bottom - menuArea.top)});
        if (menu != nullptr) GetWindowRect(menu, &menuArea);
    }
    if (menu == nullptr) {
        fail("the icon's menu did not open");
    } else {
        Sleep(500);  // let the menu finish painting
        pictureOfArea(areaDownToTaskbar(menuArea, barArea), "9b-notification-area-menu");
        if (!closeIconMenu(mainWindow, menu)) fail("the icon's menu did not close");
        Sleep(500);
        if (!run.windows(nullptr, nullptr).empty()) fail("closing the icon's menu chose an item");
        std::printf("the icon's menu opened and closed without a choice\n");
    }
    postCommand(mainWindow, 503);
    DWORD code = 1;
    if (!run.waitForExit(kWaitMs, &code) || code != 0) fail("the resident tessaly.exe did not end cleanly");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) pictureFolder = argv[1];
    char workDir[MAX_PATH];
    GetCurrentDirectoryA(sizeof workDir, workDir);

    TessalyRun run;
    if (!run.start("", workDir)) return fail("tessaly.exe did not start"), 1;
    // A first start offers the desktop shortcuts; show it and decline.
    if (HWND offer = run.waitForDialog("ショートカット作成", 2000)) {
        picture(offer, "0-first-run-offer");
        pressButton(offer, IDCANCEL);
        waitForWindowGone(offer);
    }
    HWND mainWindow = run.waitForMainWindow();
    if (mainWindow == nullptr) return fail("the main window did not appear"), 1;
    picture(mainWindow, "1-main-window");

    const std::string saved = lanAddress();
    std::printf("%s: %s\n", kLanName, saved.c_str());
    if (saveProfile(run, mainWindow, "事務所", true)) {
        std::printf("saved as profile 事務所\n");
        CommandRunner runner;
        const TcpIpRequest dhcp = {0, 1, 0, 0, 0, 1, 0, 0};
        if (!runner.applyTcpIp(kLanName, dhcp)) fail("netsh did not change the connection");
        std::printf("changed with netsh: %s\n", lanAddress().c_str());
        if (saveProfile(run, mainWindow, "自宅", false)) std::printf("saved as profile 自宅, which holds now\n");
        if (applyFirstProfile(run, mainWindow)) {
            const std::string back = lanAddress();
            std::printf("profile applied: %s\n", back.c_str());
            if (back != saved) fail("the saved address did not come back");
        }
    }
    postCommand(mainWindow, 502);
    if (HWND dialog = run.waitForDialog("インターネットプロトコル(TCP/IP)の設定")) {
        picture(dialog, "6-tcpip-dialog");
        chooseComboItem(dialog, 403, 2);  // DNS servers kept the Windows 2000 way, read whole
        picture(dialog, "6b-tcpip-dialog-windows-2000");
        pressButton(dialog, 102);
        waitForWindowGone(dialog);
    } else {
        fail("the TCP/IP dialog did not appear");
    }
    glance(run, mainWindow, 508, "バージョン情報", 101, "7-version-box");
    postCommand(mainWindow, 503);
    DWORD code = 1;
    if (!run.waitForExit(kWaitMs, &code) || code != 0) fail("tessaly.exe did not end cleanly");
    showUnverifiedChange(workDir);
    showNotificationArea(workDir);
    return failures == 0 ? 0 : 1;
}
