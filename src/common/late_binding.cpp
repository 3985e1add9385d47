#include "late_binding.h"

#include <shellapi.h>

FARPROC boundSystemFunction(const char* dllName, const char* functionName) {
    if (dllName == nullptr || functionName == nullptr) return nullptr;
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, sizeof path);
    if (length == 0 || length + 1 + lstrlenA(dllName) >= sizeof path) return nullptr;
    lstrcatA(path, "\\");
    lstrcatA(path, dllName);
    // Loaded once for the process's life: a second load only counts up, and nothing frees it.
    HMODULE module = LoadLibraryA(path);
    return module != nullptr ? GetProcAddress(module, functionName) : nullptr;
}

HRESULT lateSHGetMalloc(IMalloc** allocator) {
    auto function = boundSystemFunctionAs<decltype(&SHGetMalloc)>("shell32.dll", "SHGetMalloc");
    return function != nullptr ? function(allocator) : E_FAIL;
}

HRESULT lateSHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* items) {
    auto function = boundSystemFunctionAs<decltype(&SHGetSpecialFolderLocation)>("shell32.dll", "SHGetSpecialFolderLocation");
    return function != nullptr ? function(owner, folder, items) : E_FAIL;
}

BOOL lateSHGetPathFromIDListA(LPCITEMIDLIST items, LPSTR path) {
    auto function = boundSystemFunctionAs<decltype(&SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    return function != nullptr ? function(items, path) : FALSE;
}

HINSTANCE lateShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show) {
    auto function = boundSystemFunctionAs<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    return function != nullptr ? function(owner, verb, file, parameters, directory, show) : nullptr;
}

HRESULT lateCoInitialize(LPVOID reserved) {
    auto function = boundSystemFunctionAs<decltype(&CoInitialize)>("ole32.dll", "CoInitialize");
    return function != nullptr ? function(reserved) : E_FAIL;
}

HRESULT lateCoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId, LPVOID* object) {
    auto function = boundSystemFunctionAs<decltype(&CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    return function != nullptr ? function(classId, outer, context, interfaceId, object) : E_FAIL;
}

BOOL lateInitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
    auto function = boundSystemFunctionAs<decltype(&InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx");
    return function != nullptr ? function(controls) : FALSE;
}

void lateSHChangeNotify(LONG event, UINT flags, LPCVOID item1, LPCVOID item2) {
    auto function = boundSystemFunctionAs<decltype(&SHChangeNotify)>("shell32.dll", "SHChangeNotify");
    if (function != nullptr) function(event, flags, item1, item2);
}
