#include "save_dialog.h"

#include <cstring>
#include <new>

#include "../common/center_window.h"
#include "../common/desktop_user.h"
#include "../common/dialog_text.h"
#include "../common/message_box.h"
#include "../common/profile_text.h"
#include "../common/task_outcome.h"
#include "../browser/browser_proxy.h"
#include "../netcmd/command_runner.h"
#include "../netcmd/settings_report.h"
#include "../printer/default_printer.h"
#include "../resources/resource.h"
#include "profile_catalog.h"
#include "profile_texts.h"
#include "script_path.h"

// Written by the dialog on OK; read by runSaveCommand.
char profileNameBuffer[100] = "";
int replacedProfileIndex = -1;
int saveBrowserProxyToo = 1;
int saveDefaultPrinterToo = 1;

namespace {

// The catalogue the open dialog checks a name against (one dialog at a time).
const ProfileCatalog* namingCatalog = nullptr;

// A name already listed asks first: Yes saves that profile again, No adds one more,
// Cancel stays in the dialog with the name as typed.
void onOk(HWND dialog) {
    readControlTextCut(dialog, IDC_SAVE_NAME_EDIT, profileNameBuffer, sizeof profileNameBuffer);
    if (profileNameBuffer[0] == '\0') {
        showInformation(dialog, kEmptyNameText, kSaveTitle);
        return;
    }
    replacedProfileIndex = -1;
    const int listed = namingCatalog != nullptr ? namingCatalog->indexOfName(profileNameBuffer) : -1;
    if (listed >= 0) {
        char question[sizeof kAlreadySavedBefore + sizeof profileNameBuffer + sizeof kAlreadySavedAfter];
        std::strcpy(question, kAlreadySavedBefore);
        std::strcat(question, profileNameBuffer);
        std::strcat(question, kAlreadySavedAfter);
        const int answer = askYesNoCancel(dialog, question, kConfirmTitle);
        if (answer == IDCANCEL) return;
        if (answer == IDYES) replacedProfileIndex = listed;
    }
    saveBrowserProxyToo = IsDlgButtonChecked(dialog, IDC_SAVE_PROXY_CHECK) == BST_CHECKED;
    saveDefaultPrinterToo = IsDlgButtonChecked(dialog, IDC_SAVE_PRINTER_CHECK) == BST_CHECKED;
    EndDialog(dialog, IDC_OK_BUTTON);
}

INT_PTR onInitDialog(HWND dialog) {
    centerWindowOnDesktop(dialog);
    CheckDlgButton(dialog, IDC_SAVE_PROXY_CHECK, BST_CHECKED);
    CheckDlgButton(dialog, IDC_SAVE_PRINTER_CHECK, BST_CHECKED);
    return 1;
}

void onCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_OK_BUTTON: onOk(dialog); break;
    case IDC_CANCEL_BUTTON: EndDialog(dialog, IDC_CANCEL_BUTTON); break;
    default: break;  // Esc (IDCANCEL) included: it does not close the dialog
    }
}

// A process that inherited a script's handle with netsh (the platform's console helper)
// may hold it a moment longer than netsh runs: a deletion or a move of a script just
// dumped is tried again for up to half a second.
int deleteSoon(const char* path) {
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(25))
        if (DeleteFileA(path) || GetLastError() != ERROR_SHARING_VIOLATION) return 1;
    return 0;
}

int replaceSoon(const char* from, const char* to) {
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(25)) {
        if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING)) return 1;
        if (GetLastError() != ERROR_SHARING_VIOLATION && GetLastError() != ERROR_ACCESS_DENIED) return 0;
    }
    return 0;
}

// A script the failed dump left empty; one with text in it is left alone.
void deleteIfEmpty(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) || data.nFileSizeHigh != 0 || data.nFileSizeLow != 0 ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    deleteSoon(path);
}

// The browser's proxy and the default printer, as the check boxes ask, read before the
// network part is saved and written after it.
struct SavedExtras {
    ProxySettings proxy;
    char printer[kPrinterNameSize];
    int proxyRead = 0;
    int printerRead = 0;
    int printerNotAnsi = 0;  // its Unicode name holds a character the code page lacks
};

// The default printer, when the box asks for it, read as ANSI and checked against its Unicode
// name; a name that cannot be checked is not saved, and told so.
void readPrinterToSave(SavedExtras* extras) {
    extras->printerRead = saveDefaultPrinterToo && readDefaultPrinter(extras->printer);
    if (!extras->printerRead || extras->printer[0] == '\0') return;
    const WideName wide = compareDefaultPrinterWide(extras->printer);
    extras->printerRead = wide != WideName::Unreadable;
    extras->printerNotAnsi = wide == WideName::Differs;
}

// Why what was read cannot be saved as it is, or null.
const char* storageProblem(const SavedExtras* extras) {
    if (extras == nullptr) return nullptr;
    const char* problem = extras->proxyRead ? proxyStorageProblem(extras->proxy) : nullptr;
    if (problem != nullptr || !extras->printerRead) return problem;
    problem = printerStorageProblem(extras->printer);
    return problem == nullptr && extras->printerNotAnsi ? kPrinterNameNotAnsiText : problem;
}

// kSavedText, then a line for each of the proxy and the printer that was asked for and
// not saved.
void tellSaved(HWND mainWindow, int runAs, int proxySaved, int printerSaved) {
    const char* const lines[2] = {
        !proxySaved ? kProxyNotSavedLine : runAs && saveBrowserProxyToo ? kProxyRunAsLine : nullptr,
        !printerSaved ? kPrinterNotSavedLine : runAs && saveDefaultPrinterToo ? kPrinterRunAsLine : nullptr};
    char* told = nullptr;
    appendLines(kSavedText, "\n", lines, 2, &told);
    showInformation(mainWindow, told != nullptr ? told : kSavedText, kConfirmTitle);
    delete[] told;
}

// 1 when the listed profile's script lies in the working folder; otherwise says so and
// 0: a save again would write, rename and delete files where its path points.
int tellScriptOutsideFolder(HWND mainWindow, const ProfileCatalog* catalog, int index) {
    ProfileEntry entry;
    if (catalog == nullptr || !catalog->entryAt(index, &entry) || isScriptInWorkingFolder(entry)) return 1;
    char* report = nullptr;
    composeOutsideFolderReport(entry.path, "\n", &report);
    showInformation(mainWindow, report != nullptr ? report : kOutsideFolderText, kConfirmTitle);
    delete[] report;
    return 0;
}

// A proxy or a printer name that the file could not give back as it is refuses the whole
// save. After a save, the profile holds each of them when it was read (and asked for), and
// no key of it otherwise. Run as another user, the keys are left as they are: none for a
// new profile, its own user's for one saved again.
int saveProfile(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner) {
    // Run as another user, the browser and the printers are that account's: none is recorded.
    const int runAs = (saveBrowserProxyToo || saveDefaultPrinterToo) && runsAsAnotherUser();
    SavedExtras* extras = new (std::nothrow) SavedExtras;
    if (extras != nullptr && !runAs) {
        extras->proxyRead = saveBrowserProxyToo && readBrowserProxy(&extras->proxy);
        readPrinterToSave(extras);
    }
    if (storageProblem(extras) != nullptr) {
        showInformation(mainWindow, storageProblem(extras), kConfirmTitle);
        delete extras;
        return kTaskNotDone;
    }
    const int resaved = replacedProfileIndex;
    if (resaved >= 0 && !tellScriptOutsideFolder(mainWindow, catalog, resaved)) {
        delete extras;
        return kTaskNotDone;
    }
    const SaveOutcome outcome = resaved >= 0 ? resaveProfile(catalog, runner, resaved)
                                             : saveNamedProfile(catalog, runner, profileNameBuffer);
    int proxySaved = 1, printerSaved = 1;
    if (outcome == SaveOutcome::Saved && !runAs) {
        const int index = resaved >= 0 ? resaved : catalog->count() - 1;
        const int proxyRead = extras != nullptr && extras->proxyRead;
        const int printerRead = extras != nullptr && extras->printerRead;
        proxySaved = proxyRead ? catalog->writeProfileProxy(index, &extras->proxy)
                               : catalog->writeProfileProxy(index, nullptr) && !saveBrowserProxyToo;
        printerSaved = printerRead ? catalog->writeProfilePrinter(index, extras->printer)
                                   : catalog->writeProfilePrinter(index, nullptr) && !saveDefaultPrinterToo;
    }
    delete extras;
    if (outcome == SaveOutcome::Saved) {
        tellSaved(mainWindow, runAs, proxySaved, printerSaved);
        return kTaskDone;
    }
    showInformation(mainWindow, outcome == SaveOutcome::Full ? kCatalogFullText : kSaveFailedText, kConfirmTitle);
    return kTaskNotDone;
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

SaveOutcome resaveProfile(const ProfileCatalog* catalog, CommandRunner* runner, int index) {
    ProfileEntry entry;
    if (catalog == nullptr || runner == nullptr || !catalog->entryAt(index, &entry) ||
        !isScriptInWorkingFolder(entry))
        return SaveOutcome::Failed;
    static const char kFreshSuffix[] = ".new";
    char fresh[sizeof entry.path + sizeof kFreshSuffix];
    std::strcpy(fresh, entry.path);
    std::strcat(fresh, kFreshSuffix);
    if (runner->dumpSettings(fresh) && replaceSoon(fresh, entry.path)) return SaveOutcome::Saved;
    deleteSoon(fresh);
    return SaveOutcome::Failed;
}

INT_PTR CALLBACK saveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(dialog);
    case WM_COMMAND: onCommand(dialog, LOWORD(wParam)); return 0;
    case WM_CLOSE: EndDialog(dialog, IDC_CANCEL_BUTTON); return 0;
    default: return 0;
    }
}

int runSaveCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner) {
    replacedProfileIndex = -1;
    namingCatalog = catalog;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    const INT_PTR result = DialogBoxParamA(instance, kSaveDialogTemplate, mainWindow, saveDialogProc, 0);
    namingCatalog = nullptr;
    InvalidateRect(mainWindow, nullptr, TRUE);
    if (result != IDC_OK_BUTTON || profileNameBuffer[0] == '\0') return kTaskNotDone;
    return saveProfile(mainWindow, catalog, runner);
}
