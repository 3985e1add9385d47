// The demo run without a display: starts tessaly.exe in the current directory, takes
// a picture of each window it shows, and closes it again. Pictures go to the folder
// given as the first argument, as .bmp files.
#include <cstdio>
#include <string>

#include "e2e/automation.h"

namespace {

std::string pictureFolder = ".";

bool picture(HWND window, const char* name) {
    Sleep(500);  // let the window finish painting
    const std::string path = pictureFolder + "\\" + name + ".bmp";
    if (!saveWindowPicture(window, path)) {
        std::fprintf(stderr, "could not save %s\n", path.c_str());
        return false;
    }
    std::printf("%s.bmp\n", name);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1) pictureFolder = argv[1];
    char workDir[MAX_PATH];
    GetCurrentDirectoryA(sizeof workDir, workDir);

    TessalyRun run;
    if (!run.start("", workDir)) {
        std::fprintf(stderr, "tessaly.exe did not start\n");
        return 1;
    }
    // A first start offers the desktop shortcuts; show it and decline.
    if (HWND offer = run.waitForDialog("ショートカット作成", 2000)) {
        picture(offer, "first-run-offer");
        pressButton(offer, IDCANCEL);
        waitForWindowGone(offer);
    }
    HWND mainWindow = run.waitForMainWindow();
    if (mainWindow == nullptr) {
        std::fprintf(stderr, "the main window did not appear\n");
        return 1;
    }
    const bool ok = picture(mainWindow, "main-window");
    postCommand(mainWindow, 503);
    DWORD code = 1;
    if (!run.waitForExit(kWaitMs, &code) || code != 0) {
        std::fprintf(stderr, "tessaly.exe did not end cleanly\n");
        return 1;
    }
    return ok ? 0 : 1;
}
