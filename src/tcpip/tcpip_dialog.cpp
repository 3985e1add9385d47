#include "tcpip_dialog.h"

#include <commctrl.h>


#include "../common/center_window.h"
#include "../common/late_binding.h"
#include "../common/message_box.h"
#include "../common/task_outcome.h"
#include "../profiles/profile_catalog.h"
#include "../resources/resource.h"
#include "tcpip_apply.h"
#include "tcpip_texts.h"

// Written by the dialog on confirmed OK; read by runTcpIpCommand.
TcpIpRequest tcpIpRequest;  // zeros until an OK fills it whole

namespace {

// The subnet-mask field's own procedure while the dialog is open (one at a time).
WNDPROC previousMaskFieldProc = nullptr;
// The catalogue whose adapter table the open dialog shows.
const ProfileCatalog* shownCatalog = nullptr;

enum Enable : short { Off = 0, On = 1, Keep = -1 };

// One flag per control, in the order 404, 405, 409, 410, 406, 407, 408, 411, 412.
void setEnableStates(HWND dialog, const short flags[9]) {
    static const int kControls[9] = {IDC_ADDRESS_AUTO, IDC_ADDRESS_FIXED, IDC_DNS_AUTO, IDC_DNS_FIXED,
                                     IDC_IP_ADDRESS,   IDC_SUBNET_MASK,   IDC_GATEWAY,  IDC_PREFERRED_DNS,
                                     IDC_ALTERNATE_DNS};
    for (int i = 0; i < 9; ++i)
        if (flags[i] != Keep) EnableWindow(GetDlgItem(dialog, kControls[i]), flags[i] == On);
}

void setAddress(HWND dialog, int id, DWORD address) {
    SendDlgItemMessageA(dialog, id, IPM_SETADDRESS, 0, static_cast<LPARAM>(address));
}
void clearAddress(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, IPM_CLEARADDRESS, 0, 0); }
DWORD getAddress(HWND dialog, int id) {
    DWORD address = 0;
    SendDlgItemMessageA(dialog, id, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
    return address;
}
// A DNS server of 0 shows as a blank field.
void setServer(HWND dialog, int id, DWORD address) {
    if (address != 0)
        setAddress(dialog, id, address);
    else
        clearAddress(dialog, id);
}
bool isChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void fillFromAdapter(HWND dialog, const AdapterInfo& adapter) {
    SetDlgItemTextA(dialog, IDC_ADAPTER_DESCRIPTION, adapter.description != nullptr ? adapter.description : "");
    const bool addressAuto = adapter.addressAuto != 0;
    CheckDlgButton(dialog, IDC_ADDRESS_AUTO, addressAuto ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_ADDRESS_FIXED, addressAuto ? BST_UNCHECKED : BST_CHECKED);
    if (!addressAuto) {
        setAddress(dialog, IDC_IP_ADDRESS, adapter.address);
        setAddress(dialog, IDC_SUBNET_MASK, adapter.subnetMask);
        setAddress(dialog, IDC_GATEWAY, adapter.gateway);
    } else {
        clearAddress(dialog, IDC_IP_ADDRESS);
        clearAddress(dialog, IDC_SUBNET_MASK);
        clearAddress(dialog, IDC_GATEWAY);
    }
    const bool dnsAuto = adapter.dnsAuto != 0;
    CheckDlgButton(dialog, IDC_DNS_AUTO, dnsAuto ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_DNS_FIXED, dnsAuto ? BST_UNCHECKED : BST_CHECKED);
    setServer(dialog, IDC_PREFERRED_DNS, dnsAuto ? 0 : adapter.preferredDns);
    setServer(dialog, IDC_ALTERNATE_DNS, dnsAuto ? 0 : adapter.alternateDns);
    const short address = addressAuto ? Off : On;
    const short servers = dnsAuto ? Off : On;
    const short flags[9] = {On, On, addressAuto ? On : Off, On, address, address, address, servers, servers};
    setEnableStates(dialog, flags);
}

// Tabbing into a blank subnet mask proposes 255.255.255.0.
LRESULT CALLBACK maskFieldProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) {
        DWORD mask = 0;
        SendMessageA(field, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&mask));
        if (mask == 0) SendMessageA(field, IPM_SETADDRESS, 0, static_cast<LPARAM>(MAKEIPADDRESS(255, 255, 255, 0)));
    }
    return CallWindowProcA(previousMaskFieldProc, field, message, wParam, lParam);
}

INT_PTR onInitDialog(HWND dialog) {
    centerWindowOnDesktop(dialog);
    const int count = shownCatalog != nullptr ? shownCatalog->adapterCount() : 0;
    for (int i = 0; i < count; ++i) {
        AdapterInfo adapter;
        if (shownCatalog->adapterAt(i, &adapter)) {
            const char* name = adapter.connectionName != nullptr ? adapter.connectionName : "";
            SendDlgItemMessageA(dialog, IDC_ADAPTER_COMBO, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        }
    }
    SendDlgItemMessageA(dialog, IDC_ADAPTER_COMBO, CB_SETCURSEL, 0, 0);
    AdapterInfo first;
    if (shownCatalog != nullptr && shownCatalog->adapterAt(0, &first)) fillFromAdapter(dialog, first);
    previousMaskFieldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        GetDlgItem(dialog, IDC_SUBNET_MASK), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(maskFieldProc)));
    return 1;
}

void onDestroy(HWND dialog) {
    if (previousMaskFieldProc == nullptr) return;
    SetWindowLongPtrA(GetDlgItem(dialog, IDC_SUBNET_MASK), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(previousMaskFieldProc));
    previousMaskFieldProc = nullptr;
}

void readBack(HWND dialog) {
    tcpIpRequest.adapterIndex = static_cast<int32_t>(SendDlgItemMessageA(dialog, IDC_ADAPTER_COMBO, CB_GETCURSEL, 0, 0));
    if (isChecked(dialog, IDC_ADDRESS_AUTO)) {
        tcpIpRequest.addressAuto = 1;
        tcpIpRequest.address = tcpIpRequest.subnetMask = tcpIpRequest.gateway = 0;
    } else {
        tcpIpRequest.addressAuto = 0;
        tcpIpRequest.address = getAddress(dialog, IDC_IP_ADDRESS);
        tcpIpRequest.subnetMask = getAddress(dialog, IDC_SUBNET_MASK);
        tcpIpRequest.gateway = getAddress(dialog, IDC_GATEWAY);
    }
    if (isChecked(dialog, IDC_DNS_AUTO)) {
        tcpIpRequest.dnsAuto = 1;
        tcpIpRequest.preferredDns = tcpIpRequest.alternateDns = 0;
    } else {
        tcpIpRequest.dnsAuto = 0;
        tcpIpRequest.preferredDns = getAddress(dialog, IDC_PREFERRED_DNS);
        tcpIpRequest.alternateDns = getAddress(dialog, IDC_ALTERNATE_DNS);
    }
}

void onOk(HWND dialog) {
    if (!askOkCancel(dialog, kConfirmChangeText, kConfirmTitle)) return;
    readBack(dialog);
    EndDialog(dialog, IDC_OK_BUTTON);
}

void onAdapterChosen(HWND dialog) {
    const int index = static_cast<int>(SendDlgItemMessageA(dialog, IDC_ADAPTER_COMBO, CB_GETCURSEL, 0, 0));
    AdapterInfo adapter;
    if (shownCatalog != nullptr && shownCatalog->adapterAt(index, &adapter))
        fillFromAdapter(dialog, adapter);
    else
        SetDlgItemTextA(dialog, IDC_ADAPTER_DESCRIPTION, kUnknownAdapterText);
}

void onCommand(HWND dialog, int id, int notification) {
    static const short kAddressAuto[9] = {On, On, On, On, Off, Off, Off, On, On};
    static const short kAddressFixed[9] = {On, On, Off, On, On, On, On, On, On};
    static const short kDnsAuto[9] = {On, On, On, On, Off, Off, Off, Off, Off};
    static const short kDnsFixed[9] = {On, On, On, On, Keep, Keep, Keep, On, On};
    switch (id) {
    case IDC_OK_BUTTON: onOk(dialog); break;
    case IDC_CANCEL_BUTTON: EndDialog(dialog, IDC_CANCEL_BUTTON); break;
    case IDC_ADAPTER_COMBO:
        if (notification == CBN_SELCHANGE) onAdapterChosen(dialog);
        break;
    case IDC_ADDRESS_AUTO: setEnableStates(dialog, kAddressAuto); break;
    case IDC_ADDRESS_FIXED:
        // A fixed address always comes with fixed DNS servers.
        CheckDlgButton(dialog, IDC_DNS_AUTO, BST_UNCHECKED);
        CheckDlgButton(dialog, IDC_DNS_FIXED, BST_CHECKED);
        setEnableStates(dialog, kAddressFixed);
        break;
    case IDC_DNS_AUTO: setEnableStates(dialog, kDnsAuto); break;
    case IDC_DNS_FIXED: setEnableStates(dialog, kDnsFixed); break;
    default: break;  // Esc (IDCANCEL) included: it does not close the dialog
    }
}

}  // namespace

INT_PTR CALLBACK tcpIpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG: return onInitDialog(dialog);
    case WM_COMMAND: onCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CLOSE: EndDialog(dialog, IDC_CANCEL_BUTTON); return 0;
    case WM_DESTROY: onDestroy(dialog); return 0;
    default: return 0;
    }
}

int runTcpIpCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner) {
    // The address fields' window class, registered by the first opening of the dialog.
    INITCOMMONCONTROLSEX controls;
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_INTERNET_CLASSES;
    if (const auto initialize = late::InitCommonControlsEx()) initialize(&controls);
    if (catalog != nullptr) catalog->discover();
    shownCatalog = catalog;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE));
    const INT_PTR result = DialogBoxParamA(instance, kTcpIpDialogTemplate, mainWindow, tcpIpDialogProc, 0);
    shownCatalog = nullptr;
    const int outcome = result == IDC_OK_BUTTON ? applyTcpIpRequest(mainWindow, catalog, runner, tcpIpRequest) : kTaskNotDone;
    if (catalog != nullptr) catalog->releaseAdapters();
    return outcome;
}
