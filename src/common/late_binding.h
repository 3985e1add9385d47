// Shell, COM and common-control functions bound when first called. shell32 and ole32 serve
// only the desktop shortcuts and the version box's address, comctl32 only the TCP/IP
// dialog's address fields, so a start of the tool loads none of them.
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

HRESULT lateSHGetMalloc(IMalloc** allocator);
HRESULT lateSHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* items);
BOOL lateSHGetPathFromIDListA(LPCITEMIDLIST items, LPSTR path);
HINSTANCE lateShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show);
HRESULT lateCoInitialize(LPVOID reserved);
HRESULT lateCoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId, LPVOID* object);
BOOL lateInitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
