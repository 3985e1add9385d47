#include "select_dialog.h"

#include "../common/center_window.h"
#include "../common/dialog_text.h"
#include "../common/message_box.h"
#include "../common/task_outcome.h"
#include "../resources/resource.h"
#include "../shortcuts/desktop_shortcut.h"
#include "profile_apply.h"
#include "profile_catalog.h"
#include "profile_comparison.h"
#include "profile_texts.h"
#include "rename_dialog.h"

// Written by the dialog on OK or a confirmed "Del"; read by runSelectCommand.
int selectedProfileIndex = 0;

namespace {

// The list box's own procedure while the subclass is in place (one dialog at a time).
WNDPROC previousListBoxProc = nullptr;
// The catalogue the open dialog lists.
ProfileCatalog* listedCatalog = nullptr;

// Each listed profile against what the connections held when the dialog opened.
ProfileComparison* comparisons = nullptr;
int comparedCount = 0;
// Room left of every name for the mark, so that the names line up.
constexpr int kMarkGap = 4;

int currentSelection(HWND dialog) {
    return static_cast<int>(SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, LB_GETCURSEL, 0, 0));
}

// The names, each with its marks as its item data.
void fillList(HWND dialog) {
    if (listedCatalog == nullptr) return;
    for (int i = 0; i < listedCatalog->count(); ++i) {
        ProfileEntry entry;
        if (!listedCatalog->entryAt(i, &entry)) continue;
        const LRESULT item =
            SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(entry.name));
        const ProfileComparison* compared = comparisons != nullptr && i < comparedCount ? &comparisons[i] : nullptr;
        const unsigned marks = compared == nullptr ? 0
                                                   : (compared->holdsNow ? kHoldsNowMark : 0) |
                                                         (compared->onItsNetwork ? kOnItsNetworkMark : 0);
        if (item >= 0) SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, LB_SETITEMDATA, item, marks);
    }
}

// What an apply of the selected profile would change, what its script holds (or why it
// would not be run) and its browser proxy; or why the script cannot be shown.
void showPreview(HWND dialog) {
    const int index = currentSelection(dialog);
    const char* preview = comparisons != nullptr && index >= 0 && index < comparedCount ? comparisons[index].preview : nullptr;
    SetDlgItemTextA(dialog, IDC_PROFILE_PREVIEW, preview != nullptr ? preview : "");
}

// Items as tall as a line of the dialog's font.
INT_PTR onMeasureItem(HWND dialog, MEASUREITEMSTRUCT* item) {
    if (item->CtlID != IDC_PROFILE_LIST) return 0;
    HDC dc = GetDC(dialog);
    if (dc == nullptr) return 0;
    HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics;
    if (GetTextMetricsA(dc, &metrics)) item->itemHeight = metrics.tmHeight + 2;
    if (previous != nullptr) SelectObject(dc, previous);
    ReleaseDC(dialog, dc);
    return 1;
}

// The mark, then the name, in the system's colours for a list (high contrast included).
INT_PTR onDrawItem(const DRAWITEMSTRUCT* item) {
    if (item->CtlID != IDC_PROFILE_LIST) return 0;
    RECT place = item->rcItem;
    HDC dc = item->hDC;
    // An empty list has only its focus rectangle, drawn and taken away by the same call.
    if (item->itemID == static_cast<UINT>(-1)) {
        if ((item->itemAction & ODA_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &place);
        return 1;
    }
    char name[2 * kProfileNameSize];  // room for LB_GETTEXTLEN's count, see readListItemText
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillRect(dc, &place, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    // Both marks are two full-width characters: one width for each column.
    SIZE mark = {0, 0};
    GetTextExtentPoint32A(dc, kHoldsNowMarkText, sizeof kHoldsNowMarkText - 1, &mark);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    static const char* const kMarks[] = {kHoldsNowMarkText, kOnItsNetworkMarkText};
    for (unsigned column = 0; column < 2; ++column) {
        place.left += kMarkGap;
        if (item->itemData & (1u << column)) DrawTextA(dc, kMarks[column], -1, &place, format);
        place.left += mark.cx;
    }
    place.left += kMarkGap;
    readListItemText(item->hwndItem, static_cast<int>(item->itemID), name, sizeof name);
    DrawTextA(dc, name, -1, &place, format | DT_END_ELLIPSIS);
    place = item->rcItem;
    // Windows 2000 and later hide it until the keyboard is used.
    if ((item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT)) DrawFocusRect(dc, &place);
    return 1;
}

void onOk(HWND dialog) {
    selectedProfileIndex = currentSelection(dialog);
    if (selectedProfileIndex >= 0)
        EndDialog(dialog, IDC_OK_BUTTON);
    else
        showInformation(dialog, kNothingSelectedText, kSelectTitle);
}

void onDelete(HWND dialog) {
    selectedProfileIndex = currentSelection(dialog);
    if (selectedProfileIndex < 0) {
        showInformation(dialog, kNothingSelectedText, kSelectTitle);
        return;
    }
    if (askOkCancel(dialog, kDeleteQuestionText, kConfirmTitle)) EndDialog(dialog, kSelectDialogDelete);
}

// The selected profile into *entry; told and 0 when none is selected.
int selectedEntry(HWND dialog, ProfileEntry* entry) {
    if (listedCatalog != nullptr && listedCatalog->entryAt(currentSelection(dialog), entry)) return 1;
    showInformation(dialog, kNothingSelectedText, kSelectTitle);
    return 0;
}

// A desktop shortcut this tool made for the old name now starts the new one; the old
// file goes unless another profile still has that name.
void moveProfileShortcut(HWND dialog, const char* oldName, const char* newName) {
    if (!createProfileShortcut(dialog, newName)) {
        showInformation(dialog, kShortcutFailedText, kConfirmTitle);
        return;
    }
    if (listedCatalog->indexOfName(oldName) < 0) deleteProfileShortcut(dialog, oldName);
}

// Writes the new name alone; the list and the preview follow, the selection stays.
void onRename(HWND dialog) {
    ProfileEntry entry;
    if (!selectedEntry(dialog, &entry) || !askProfileRename(dialog, entry.name)) return;
    const int index = currentSelection(dialog);
    const int hadShortcut = hasProfileShortcut(dialog, entry.name);
    if (!listedCatalog->renameProfile(index, renamedProfileName))
        showInformation(dialog, kRenameFailedText, kConfirmTitle);
    else if (hadShortcut)
        moveProfileShortcut(dialog, entry.name, renamedProfileName);
    SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, LB_RESETCONTENT, 0, 0);
    fillList(dialog);
    SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, LB_SETCURSEL, index, 0);
    showPreview(dialog);
}

void onShortcut(HWND dialog) {
    ProfileEntry entry;
    if (selectedEntry(dialog, &entry)) runProfileShortcutCommand(dialog, entry.name);
}

// A double-click on an item counts as OK; below the last item it does nothing more.
// F2 renames the selected profile.
LRESULT CALLBACK listBoxSubclassProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_F2) {
        onRename(GetParent(list));
        return 0;
    }
    if (message == WM_LBUTTONDBLCLK) {
        const unsigned y = HIWORD(lParam);
        const LRESULT height = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
        const LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
        if (height >= 0 && count >= 0 && static_cast<unsigned long long>(height) * count >= y) onOk(GetParent(list));
    }
    return CallWindowProcA(previousListBoxProc, list, message, wParam, lParam);
}

INT_PTR onInitDialog(HWND dialog) {
    centerWindowOnDesktop(dialog);
    comparedCount = listedCatalog != nullptr && compareProfilesWithNow(*listedCatalog, &comparisons)
                        ? listedCatalog->count()
                        : 0;
    fillList(dialog);
    SendDlgItemMessageA(dialog, IDC_PROFILE_LIST, LB_SETCURSEL, selectedProfileIndex, 0);
    showPreview(dialog);
    HWND list = GetDlgItem(dialog, IDC_PROFILE_LIST);
    previousListBoxProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listBoxSubclassProc)));
    return 1;
}

void onDestroy(HWND dialog) {
    releaseProfileComparisons(comparisons, comparedCount);
    comparisons = nullptr;
    comparedCount = 0;
    if (previousListBoxProc == nullptr) return;
    SetWindowLongPtrA(GetDlgItem(dialog, IDC_PROFILE_LIST), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(previousListBoxProc));
    previousListBoxProc = nullptr;
}

void onCommand(HWND dialog, int id, int notification) {
    switch (id) {
    case IDC_PROFILE_LIST:
        if (notification == LBN_SELCHANGE) showPreview(dialog);
        break;
    case IDC_OK_BUTTON: onOk(dialog); break;
    case IDC_CANCEL_BUTTON: EndDialog(dialog, IDC_CANCEL_BUTTON); break;
    case IDC_PROFILE_DELETE: onDelete(dialog); break;
    case IDC_PROFILE_RENAME: onRename(dialog); break;
    case IDC_PROFILE_SHORTCUT: onShortcut(dialog); break;
    default: break;  // Esc (IDCANCEL) included: it does not close the dialog
    }
}

}  // namespace

INT_PTR CALLBACK selectDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(dialog);
    case WM_MEASUREITEM: return onMeasureItem(dialog, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
    case WM_DRAWITEM: return onDrawItem(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_COMMAND: onCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CLOSE: EndDialog(dialog, IDC_CANCEL_BUTTON); return 0;
    case WM_DESTROY: onDestroy(dialog); return 0;
    default: return 0;
    }
}

int runSelectCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner) {
    selectedProfileIndex = 0;
    listedCatalog = catalog;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    const INT_PTR result = DialogBoxParamA(instance, kSelectDialogTemplate, mainWindow, selectDialogProc, 0);
    listedCatalog = nullptr;
    InvalidateRect(mainWindow, nullptr, TRUE);
    if (result == IDC_OK_BUTTON) return applyProfile(mainWindow, catalog, runner, selectedProfileIndex);
    if (result == kSelectDialogDelete) return deleteProfile(mainWindow, catalog, selectedProfileIndex);
    return kTaskNotDone;
}
