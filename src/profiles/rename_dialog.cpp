#include "rename_dialog.h"

#include "../common/center_window.h"
#include "../common/dialog_text.h"
#include "../common/message_box.h"
#include "../resources/resource.h"
#include "profile_texts.h"

// Written by the dialog on OK; read by the selection dialog.
char renamedProfileName[100] = "";

namespace {

// As in the save dialog: the name is cut to fit, and an empty one is refused.
void onOk(HWND dialog) {
    readControlTextCut(dialog, IDC_RENAME_NAME_EDIT, renamedProfileName, sizeof renamedProfileName);
    if (renamedProfileName[0] != '\0')
        EndDialog(dialog, IDC_OK_BUTTON);
    else
        showInformation(dialog, kEmptyNameText, kConfirmTitle);
}

INT_PTR onInitDialog(HWND dialog, const char* currentName) {
    centerWindowOnDesktop(dialog);
    SetDlgItemTextA(dialog, IDC_RENAME_NAME_EDIT, currentName);
    SendDlgItemMessageA(dialog, IDC_RENAME_NAME_EDIT, EM_SETSEL, 0, -1);
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

INT_PTR CALLBACK renameDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(dialog, reinterpret_cast<const char*>(lParam));
    case WM_COMMAND: onCommand(dialog, LOWORD(wParam)); return 0;
    case WM_CLOSE: EndDialog(dialog, IDC_CANCEL_BUTTON); return 0;
    default: return 0;
    }
}

int askProfileRename(HWND owner, const char* currentName) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    return DialogBoxParamA(instance, kRenameDialogTemplate, owner, renameDialogProc,
                           reinterpret_cast<LPARAM>(currentName != nullptr ? currentName : "")) == IDC_OK_BUTTON;
}
