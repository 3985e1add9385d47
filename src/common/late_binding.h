// Shell, COM and common-control functions bound when first called. shell32 and ole32 serve
// only the desktop shortcuts and the version box's address, comctl32 only the TCP/IP
// dialog's address fields, so a start of the tool loads none of them. Functions that
// Windows NT 4.0 or 98 lack are bound the same way (the security and shell-window calls),
// so that the loader there does not refuse the exe before it can say the OS is too old.
// Each function fails the way its own API reports a failure when its library or the
// function cannot be loaded.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <shlobj.h>

// The address of a function of a DLL of the system directory (never one of the current
// or the program's directory), loaded at the call; null when either cannot be found.
FARPROC boundSystemFunction(const char* dllName, const char* functionName);

// The same as the type of its declaration, for the functions called directly where they
// are used: decltype(&CheckTokenMembership) and the like.
template <typename Function>
Function boundSystemFunctionAs(const char* dllName, const char* functionName) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(boundSystemFunction(dllName, functionName)));
}

// The test's stand-in when one is in place, else the function of the system DLL.
template <typename Function>
Function standInOrBound(Function standIn, const char* dllName, const char* functionName) {
    return standIn != nullptr ? standIn : boundSystemFunctionAs<Function>(dllName, functionName);
}

HRESULT lateSHGetMalloc(IMalloc** allocator);
HRESULT lateSHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* items);
BOOL lateSHGetPathFromIDListA(LPCITEMIDLIST items, LPSTR path);
HINSTANCE lateShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show);
HRESULT lateCoInitialize(LPVOID reserved);
HRESULT lateCoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId, LPVOID* object);
BOOL lateInitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
// Tells the shell that a file changed; does nothing when shell32 cannot be bound.
void lateSHChangeNotify(LONG event, UINT flags, LPCVOID item1, LPCVOID item2);
