#include "version_code.h"

namespace {

constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatformWindows = 1;
constexpr uint32_t kPlatformNt = 2;
constexpr uint8_t kNtWorkstation = 1;
constexpr uint8_t kNtDomainController = 2;
constexpr uint8_t kNtServer = 3;
constexpr uint16_t kXpHomeSuiteMask = 0x0300;

int classifyWindows9x(const VersionFields& v) {
    if (v.majorVersion != 4) return 0;
    switch (v.minorVersion) {
    case 0: return v.servicePackTextEmpty ? 20 : 21;
    case 10: return v.servicePackTextEmpty ? 30 : 31;
    case 90: return 32;
    default: return 0;
    }
}

int classifyWindowsNt(const VersionFields& v) {
    switch (v.majorVersion) {
    case 3: return 50;
    case 4: return v.productType == kNtWorkstation ? 60 : 61;
    case 5: break;
    default: return 0;
    }
    switch (v.minorVersion) {
    case 0:
        if (v.productType == kNtWorkstation) return 70;
        if (v.productType == kNtDomainController || v.productType == kNtServer) return 71;
        return 79;
    case 1: return v.suiteMask == kXpHomeSuiteMask ? 80 : 81;
    case 2: return 90;
    default: return 0;
    }
}

}  // namespace

int classifyVersionFields(const VersionFields& v) {
    switch (v.platformId) {
    case kPlatformWin32s: return 10;
    case kPlatformWindows: return classifyWindows9x(v);
    case kPlatformNt: return classifyWindowsNt(v);
    default: return 0;
    }
}
