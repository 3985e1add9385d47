// The current user's default printer, read and set through winspool.drv, which is bound at
// the first call: a start of the tool loads nothing more.
#pragma once

#include <windows.h>

#include "printer_name.h"

// The two winspool functions the printer goes through (GetDefaultPrinterA and
// SetDefaultPrinterA, Windows 2000 and later): bound at first use, unless a test has put
// others in their place, for what Wine's winspool does not do as Windows does.
struct PrinterCalls {
    BOOL(WINAPI* getDefault)(LPSTR buffer, LPDWORD size);
    BOOL(WINAPI* setDefault)(LPCSTR name);
};
extern PrinterCalls printerCalls;

// The default printer's name into out, "" when the user has none. 0 when winspool cannot
// be bound or does not give the name, or the name is longer than a printer name kept.
int readDefaultPrinter(char (&out)[kPrinterNameSize]);

// Makes the printer the user's default, which also tells running programs. 1 when winspool
// took it.
int setDefaultPrinter(const char* name);
