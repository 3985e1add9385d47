// The demo run without a display: starts tessaly.exe in the current directory on the
// simulated network and walks through the main job: save the current settings as a
// profile, change a setting with netsh, apply the profile again and check that the
// value came back. Then a TCP/IP change that netsh leaves half done (the stand-in told
// to ignore DNS servers), which the tool reports setting by setting. A picture of each window goes into the folder given as the first
// argument, as .bmp files. It drives the windows with the end-to-end tests' automation.
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

// Saves what the screen shows of the window (frame included) as a 24-bit .bmp file.
bool saveWindowPicture(HWND window, const std::string& bmpPath) {
    RECT area;
    if (!GetWindowRect(window, &area)) return false;
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

void picture(HWND window, const char* name) {
    Sleep(500);  // let the window finish painting
    const std::string path = pictureFolder + "\\" + name + ".bmp";
    if (!saveWindowPicture(window, path)) {
        std::fprintf(stderr, "could not save %s\n", path.c_str());
        ++failures;
    }
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
    return failures == 0 ? 0 : 1;
}
