// The current user's default printer, read and set through winspool.drv, which is bound at
// the first call: a start of the tool loads nothing more. And the user's printers, as the
// registry lists them.
#pragma once

#include <windows.h>

#include "printer_name.h"

// The default printer's name into out, "" when the user has none. 0 when winspool cannot
// be bound or does not give the name, or the name is longer than a printer name kept.
int readDefaultPrinter(char (&out)[kPrinterNameSize]);

// The default printer's name as read in Unicode against the ANSI name given: the same when
// the system code page holds each of its characters.
enum class WideName { Same, Differs, Unreadable };
WideName compareDefaultPrinterWide(const char* ansiName);

// readDefaultPrinter, except that a name the code page gave with a look-alike in place of a
// character is not read: it may be another printer's exact name, which must not pass for the
// default. A name that cannot be checked in Unicode is taken as read.
int readDefaultPrinterExactly(char (&out)[kPrinterNameSize]);

// Makes the printer the user's default, which also tells running programs. 1 when winspool
// took it.
int setDefaultPrinter(const char* name);

// 1 when this user has a printer of that name (letter case aside): Windows 2000 and XP list
// each of the user's printers under HKCU, and winspool knows no other.
int userHasPrinter(const char* name);
