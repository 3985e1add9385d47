#include "default_printer.h"

#include "../common/late_binding.h"

PrinterCalls printerCalls = {nullptr, nullptr};

int readDefaultPrinter(char (&out)[kPrinterNameSize]) {
    out[0] = '\0';
    const auto get = standInOrBound(printerCalls.getDefault, "winspool.drv", "GetDefaultPrinterA");
    if (get == nullptr) return 0;
    // The size is counted in characters, and each may take two bytes: half the buffer's
    // bytes are offered, and the size query is never used (Wine's counts the wide name).
    DWORD size = kPrinterNameSize / 2;
    if (get(out, &size)) {
        out[kPrinterNameSize - 1] = '\0';
        return 1;
    }
    // No default printer: an empty name, read as such.
    const int none = GetLastError() == ERROR_FILE_NOT_FOUND;
    out[0] = '\0';
    return none;
}

int setDefaultPrinter(const char* name) {
    const auto set = standInOrBound(printerCalls.setDefault, "winspool.drv", "SetDefaultPrinterA");
    return set != nullptr && name != nullptr && name[0] != '\0' && set(name) != FALSE;
}
