#include "default_printer.h"

#include "../common/late_binding.h"

PrinterCalls printerCalls = {nullptr, nullptr};

int readDefaultPrinter(char (&out)[kPrinterNameSize]) {
    out[0] = '\0';
    const auto get = standInOrBound(printerCalls.getDefault, "winspool.drv", "GetDefaultPrinterA");
    if (get == nullptr) return 0;
    // Wine's size query counts characters, not bytes: the buffer is offered whole instead.
    DWORD size = kPrinterNameSize;
    if (get(out, &size)) return 1;
    // No default printer: an empty name, read as such.
    const int none = GetLastError() == ERROR_FILE_NOT_FOUND;
    out[0] = '\0';
    return none;
}

int setDefaultPrinter(const char* name) {
    const auto set = standInOrBound(printerCalls.setDefault, "winspool.drv", "SetDefaultPrinterA");
    return set != nullptr && name != nullptr && name[0] != '\0' && set(name) != FALSE;
}
