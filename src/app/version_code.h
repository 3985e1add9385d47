// Classification of the running Windows into a small code. Portable: no windows.h.
#pragma once

#include <cstdint>

// The fields of an extended version record that the classification looks at.
struct VersionFields {
    uint32_t platformId;
    uint32_t majorVersion;
    uint32_t minorVersion;
    int servicePackTextEmpty;  // non-zero when szCSDVersion is empty
    uint16_t suiteMask;
    uint8_t productType;
};

// Family and edition code; 0 when not recognised. 70 and above run the tool.
int classifyVersionFields(const VersionFields& v);

// The lowest code the tool runs on (Windows 2000 Professional).
constexpr int kLowestSupportedVersionCode = 70;

// Non-zero for the systems the tool runs on: Windows 2000, XP and Server 2003.
constexpr int isSupportedVersionCode(int code) { return code >= kLowestSupportedVersionCode; }
