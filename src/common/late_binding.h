// Functions bound when first asked for, never imported. shell32 and ole32 serve only the
// desktop shortcuts, the version box's address and the notification area's icon, comctl32 only the TCP/IP dialog's address
// fields, iphlpapi only the gateways' hardware addresses, wininet.dll the browser's proxy and winspool.drv the default printer, so a start of
// the tool loads none of them. Functions that Windows NT 4.0 or 98 lack are bound the same
// way (the security, shell-window, foreground and registry-notification calls), so that the loader there does not refuse the exe
// before it can say the OS is too old. A caller finding a function missing (null) fails the
// way that function's own API reports a failure.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <iphlpapi.h>
#include <objbase.h>
#include <shlobj.h>

#include <optional>

// Every late-bound function, once: its DLL, its name, its result and parameter types. A new
// one goes here (late_binding.cpp checks each type against the system's declaration).
#define TESSALY_LATE_FUNCTIONS(X)                                                                                  \
    X(advapi32, AllocateAndInitializeSid, BOOL,                                                              \
      (PSID_IDENTIFIER_AUTHORITY, BYTE, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, DWORD, PSID*))            \
    X(advapi32, CheckTokenMembership, BOOL, (HANDLE, PSID, PBOOL))                                           \
    X(advapi32, EqualSid, BOOL, (PSID, PSID))                                                                \
    X(advapi32, FreeSid, PVOID, (PSID))                                                                      \
    X(advapi32, GetTokenInformation, BOOL, (HANDLE, TOKEN_INFORMATION_CLASS, LPVOID, DWORD, PDWORD))         \
    X(advapi32, OpenProcessToken, BOOL, (HANDLE, DWORD, PHANDLE))                                            \
    X(advapi32, RegNotifyChangeKeyValue, LONG, (HKEY, BOOL, DWORD, HANDLE, BOOL))                            \
    X(comctl32, InitCommonControlsEx, BOOL, (const INITCOMMONCONTROLSEX*))                                   \
    X(iphlpapi, GetIpNetTable, DWORD, (PMIB_IPNETTABLE, PULONG, BOOL))                                       \
    X(iphlpapi, SendARP, DWORD, (IPAddr, IPAddr, PVOID, PULONG))                                             \
    X(ole32, CoCreateInstance, HRESULT, (REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*))                       \
    X(ole32, CoInitialize, HRESULT, (LPVOID))                                                                \
    X(shell32, SHChangeNotify, void, (LONG, UINT, LPCVOID, LPCVOID))                                         \
    X(shell32, SHGetMalloc, HRESULT, (IMalloc**))                                                            \
    X(shell32, SHGetPathFromIDListA, BOOL, (LPCITEMIDLIST, LPSTR))                                           \
    X(shell32, SHGetSpecialFolderLocation, HRESULT, (HWND, int, LPITEMIDLIST*))                              \
    X(shell32, ShellExecuteA, HINSTANCE, (HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT))                        \
    X(shell32, Shell_NotifyIconA, BOOL, (DWORD, PNOTIFYICONDATAA))                                           \
    X(user32, AllowSetForegroundWindow, BOOL, (DWORD))                                                       \
    X(user32, GetShellWindow, HWND, ())                                                                      \
    X(wininet, InternetQueryOptionA, BOOL, (LPVOID, DWORD, LPVOID, LPDWORD))                                 \
    X(wininet, InternetSetOptionA, BOOL, (LPVOID, DWORD, LPVOID, DWORD))                                     \
    X(winspool, GetDefaultPrinterA, BOOL, (LPSTR, LPDWORD))                                                  \
    X(winspool, GetDefaultPrinterW, BOOL, (LPWSTR, LPDWORD))                                                 \
    X(winspool, SetDefaultPrinterA, BOOL, (LPCSTR))

// The address of a function of a DLL of the system directory (never one of the current
// or the program's directory), loaded at the call; null when either cannot be found.
FARPROC boundSystemFunction(const char* dllName, const char* functionName);

namespace late {

// The DLLs, each named once.
namespace dlls {
inline constexpr char advapi32[] = "advapi32.dll";
inline constexpr char comctl32[] = "comctl32.dll";
inline constexpr char iphlpapi[] = "iphlpapi.dll";
inline constexpr char ole32[] = "ole32.dll";
inline constexpr char shell32[] = "shell32.dll";
inline constexpr char user32[] = "user32.dll";
inline constexpr char wininet[] = "wininet.dll";
inline constexpr char winspool[] = "winspool.drv";
}  // namespace dlls

// One late-bound function: late::Name() is its address, typed. The DLL and the name are
// part of the type, so the object holds only the stand-in and starts as zeros.
template <typename FunctionPointer, const char* Dll, const char* Name>
struct Function {
    using Pointer = FunctionPointer;
    // A test's stand-in: once set, the function is this one (set to null, it stands for a
    // Windows that lacks the function); reset, the system's function again.
    std::optional<Pointer> standIn;

    // The stand-in if one is set, else the function of the system DLL; null when missing.
    Pointer operator()() const {
        if (standIn) return *standIn;
        return reinterpret_cast<Pointer>(reinterpret_cast<void*>(boundSystemFunction(Dll, Name)));
    }
};

// Each defined once, in late_binding.cpp: an inline variable would be kept in the exe's
// data, a plain one of zeros takes no room in the file.
#define TESSALY_LATE_FUNCTION(dll, name, result, parameters) \
    inline constexpr char name##Name[] = #name;              \
    extern Function<result(WINAPI*) parameters, dlls::dll, name##Name> name;
TESSALY_LATE_FUNCTIONS(TESSALY_LATE_FUNCTION)
#undef TESSALY_LATE_FUNCTION

}  // namespace late
