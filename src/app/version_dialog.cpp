#include "version_dialog.h"

#include "../common/center_window.h"
#include "../common/late_binding.h"
#include "../resources/resource.h"

namespace {

constexpr char kVersionDialogTemplate[] = "IDD_VERSION";
// The address a click on the homepage line opens (kept apart from the text shown).
constexpr char kHomepageAddress[] = "http://tessaly.example/";

// No browser opens when shell32 cannot be loaded; the box stays as it is.
void openHomepage() {
    if (const auto open = late::ShellExecuteA()) open(nullptr, "open", kHomepageAddress, nullptr, nullptr, SW_SHOWNORMAL);
}

void onCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_OK_BUTTON: EndDialog(dialog, IDC_OK_BUTTON); break;
    case IDC_VERSION_HOMEPAGE: openHomepage(); break;
    default: break;  // Esc (IDCANCEL) included: it does not close the box
    }
}

}  // namespace

INT_PTR CALLBACK versionDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: centerWindowOnDesktop(dialog); return 1;
    case WM_CLOSE: EndDialog(dialog, IDC_CANCEL_BUTTON); return 0;
    case WM_COMMAND: onCommand(dialog, LOWORD(wParam)); return 0;
    default: return 0;
    }
}

void runVersionCommand(HWND mainWindow) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    DialogBoxParamA(instance, kVersionDialogTemplate, mainWindow, versionDialogProc, 0);
}
