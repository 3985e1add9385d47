#include "windows_version.h"

#include <windows.h>

#include "version_code.h"

int classifyWindowsVersion() {
    OSVERSIONINFOEXA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info))) return 0;
    VersionFields fields;
    fields.platformId = info.dwPlatformId;
    fields.majorVersion = info.dwMajorVersion;
    fields.minorVersion = info.dwMinorVersion;
    fields.servicePackTextEmpty = info.szCSDVersion[0] == '\0';
    fields.suiteMask = info.wSuiteMask;
    fields.productType = info.wProductType;
    return classifyVersionFields(fields);
}
