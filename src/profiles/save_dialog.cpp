#include "save_dialog.h"

#include <new>

#include "../common/center_window.h"
#include "../common/message_box.h"
#include "../common/profile_text.h"
#include "../netcmd/command_runner.h"
#include "../resources/resource.h"
#include "profile_catalog.h"
#include "profile_texts.h"

// Written by the dialog on OK; read by runSaveCommand.
char profileNameBuffer[100] = "";

namespace {

// The edit box's text, cut at a character boundary to fit the buffer.
void readName(HWND dialog) {
    HWND edit = GetDlgItem(dialog, IDC_SAVE_NAME_EDIT);
    const int length = GetWindowTextLengthA(edit);
    char* text = new (std::nothrow) char[length + 1];
    profileNameBuffer[0] = '\0';
    if (text == nullptr) return;
    text[0] = '\0';
    GetWindowTextA(edit, text, length + 1);
    copyTextCut(profileNameBuffer, sizeof profileNameBuffer, text);
    delete[] text;
}

void onOk(HWND dialog) {
    readName(dialog);
    if (profileNameBuffer[0] != '\0')
        EndDialog(dialog, IDC_OK_BUTTON);
    else
        showInformation(dialog, kEmptyNameText, kSaveTitle);
}

void onCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_OK_BUTTON: onOk(dialog); break;
    case IDC_CANCEL_BUTTON: EndDialog(dialog, IDC_CANCEL_BUTTON); break;
    default: break;  // Esc (IDCANCEL) included: it does not close the dialog
    }
}

// A script the failed dump left empty; one with text in it is left alone. A process that
// inherited the file's handle with netsh (the platform's console helper) may hold it a
// moment longer than netsh runs: the deletion is tried again for up to half a second.
void deleteIfEmpty(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) || data.nFileSizeHigh != 0 || data.nFileSizeLow != 0 ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    for (int attempt = 0; attempt < 20 && !DeleteFileA(path) && GetLastError() == ERROR_SHARING_VIOLATION; ++attempt)
        Sleep(25);
}

void saveProfile(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner) {
    const SaveOutcome outcome = saveNamedProfile(catalog, runner, profileNameBuffer);
    showInformation(mainWindow,
                    outcome == SaveOutcome::Saved  ? kSavedText
                    : outcome == SaveOutcome::Full ? kCatalogFullText
                                                   : kSaveFailedText,
                    kConfirmTitle);
}

}  // namespace

SaveOutcome saveNamedProfile(ProfileCatalog* catalog, CommandRunner* runner, const char* name) {
    SectionName section;
    if (catalog == nullptr || runner == nullptr || name == nullptr) return SaveOutcome::Failed;
    if (!catalog->nextSectionName(section)) return SaveOutcome::Full;
    if (!catalog->addProfile(name)) return SaveOutcome::Failed;
    const int last = catalog->count() - 1;
    ProfileEntry entry;
    const int listed = catalog->entryAt(last, &entry);
    if (listed && runner->dumpSettings(entry.path)) return SaveOutcome::Saved;
    if (listed && catalog->removeAddedProfile(last)) deleteIfEmpty(entry.path);
    return SaveOutcome::Failed;
}

INT_PTR CALLBACK saveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: centerWindowOnDesktop(dialog); return 1;
    case WM_COMMAND: onCommand(dialog, LOWORD(wParam)); return 0;
    case WM_CLOSE: EndDialog(dialog, IDC_CANCEL_BUTTON); return 0;
    default: return 0;
    }
}

void runSaveCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    const INT_PTR result = DialogBoxParamA(instance, kSaveDialogTemplate, mainWindow, saveDialogProc, 0);
    InvalidateRect(mainWindow, nullptr, TRUE);
    if (result == IDC_OK_BUTTON && profileNameBuffer[0] != '\0') saveProfile(mainWindow, catalog, runner);
}
