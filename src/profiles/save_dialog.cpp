#include "save_dialog.h"

#include "../common/center_window.h"
#include "../common/dialog_text.h"
#include "../common/message_box.h"
#include "../common/task_outcome.h"
#include "../common/text_builder.h"
#include "../resources/resource.h"
#include "profile_catalog.h"
#include "profile_texts.h"

// Written by the dialog on OK; read by runSaveCommand.
char profileNameBuffer[100] = "";

namespace {

// The catalogue the open dialog checks a name against, and the request its OK completes
// (one dialog at a time).
const ProfileCatalog* namingCatalog = nullptr;
SaveRequest* openRequest = nullptr;

// A name already listed asks first: Yes saves that profile again, No adds one more,
// Cancel stays in the dialog with the name as typed.
void onOk(HWND dialog) {
    readControlTextCut(dialog, IDC_SAVE_NAME_EDIT, profileNameBuffer, sizeof profileNameBuffer);
    if (profileNameBuffer[0] == '\0') {
        showInformation(dialog, kEmptyNameText, kSaveTitle);
        return;
    }
    int replaced = -1;
    const int listed = namingCatalog != nullptr ? namingCatalog->indexOfName(profileNameBuffer) : -1;
    if (listed >= 0) {
        char question[sizeof kAlreadySavedBefore + sizeof profileNameBuffer + sizeof kAlreadySavedAfter];
        BoundedText(question, sizeof question).add(kAlreadySavedBefore).add(profileNameBuffer).add(kAlreadySavedAfter);
        const int answer = askYesNoCancel(dialog, question, kConfirmTitle);
        if (answer == IDCANCEL) return;
        if (answer == IDYES) replaced = listed;
    }
    if (openRequest != nullptr) {
        openRequest->replacedIndex = replaced;
        for (int i = 0; i < kExtraKindCount; ++i)
            openRequest->extrasAsked[i] = IsDlgButtonChecked(dialog, kExtraSaveChecks[i]) == BST_CHECKED;
        openRequest->autoSwitch = IsDlgButtonChecked(dialog, IDC_SAVE_AUTO_SWITCH_CHECK) == BST_CHECKED;
    }
    EndDialog(dialog, IDC_OK_BUTTON);
}

INT_PTR onInitDialog(HWND dialog, LPARAM request) {
    openRequest = reinterpret_cast<SaveRequest*>(request);
    centerWindowOnDesktop(dialog);
    for (int check : kExtraSaveChecks)
        if (check != 0) CheckDlgButton(dialog, check, BST_CHECKED);
    return 1;
}

void onCommand(HWND dialog, int id) {
    switch (id) {
    case IDC_OK_BUTTON: onOk(dialog); break;
    case IDC_CANCEL_BUTTON: EndDialog(dialog, IDC_CANCEL_BUTTON); break;
    default: break;  // Esc (IDCANCEL) included: it does not close the dialog
    }
}

}  // namespace

INT_PTR CALLBACK saveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(dialog, lParam);
    case WM_COMMAND: onCommand(dialog, LOWORD(wParam)); return 0;
    case WM_CLOSE: EndDialog(dialog, IDC_CANCEL_BUTTON); return 0;
    case WM_DESTROY: openRequest = nullptr; return 0;
    default: return 0;
    }
}

int runSaveCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner) {
    SaveRequest request = {profileNameBuffer, -1, {}, 0};
    for (int& asked : request.extrasAsked) asked = 1;
    namingCatalog = catalog;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    const INT_PTR result = DialogBoxParamA(instance, kSaveDialogTemplate, mainWindow, saveDialogProc,
                                           reinterpret_cast<LPARAM>(&request));
    namingCatalog = nullptr;
    InvalidateRect(mainWindow, nullptr, TRUE);
    if (result != IDC_OK_BUTTON || profileNameBuffer[0] == '\0') return kTaskNotDone;
    return saveProfile(mainWindow, catalog, runner, request);
}
