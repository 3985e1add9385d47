// The user's default printer as a profile keeps it: the key "printer" after the proxy
// keys, holding the printer's name as Windows gives it (blanks, commas, Japanese text,
// "\\server\share" for a printer on a server), empty when the user had none.
// Portable: no windows.h.
#pragma once

#include <cstddef>

constexpr char kPrinterKey[] = "printer";

// A printer name with its terminator: at most 1,023 bytes, far more than Windows gives one.
constexpr size_t kPrinterNameSize = 1024;

// The key's value as the private-profile calls read it, into a buffer of kPrinterNameSize
// + 1 bytes (one that fills it was longer than a name may be), copied into out. Null when
// it may be used (empty: no printer to set); otherwise why not.
const char* readPrinterKey(const char* value, char (&out)[kPrinterNameSize]);

// Null when the file gives the name back as it is; otherwise the text the user is told.
const char* printerStorageProblem(const char* name);

// 1 when both name the same printer: Windows does not tell letter case apart in them.
int samePrinterName(const char* a, const char* b);

// What an apply does about a profile's printer, which the preview foresees the same way.
enum class PrinterStep {
    Holds,    // it is the default printer now: nothing to set
    Missing,  // not the default, and this user's printers lack it: told, not set
    Set,      // made the default, then read back
};

// The default now equal to the profile's printer holds, wherever the user's list lags
// (a printer of the machine before the next logon, one of a terminal session); otherwise
// the list decides. `defaultNow` is null when it could not be read; `isListed` is asked
// only when the list decides.
PrinterStep decidePrinterStep(const char* asked, const char* defaultNow, int (*isListed)(const char* name));

// Why a default printer's name is not saved: characters code page 932 cannot hold, which
// the ANSI name shows as '?' or look-alikes that no printer has.
constexpr char kPrinterNameNotAnsiText[] = "通常使うプリンタの名前に、Shift-JIS で表せない文字があります。";

// The label of the printer's lines in the preview and the verdict.
constexpr char kPrinterLabel[] = "通常使うプリンタ";

class DifferenceLines;
class GrowingText;

// What an apply asked of the default printer and what is the default afterwards.
struct PrinterOutcome {
    const char* asked;     // null: the profile names no printer, nothing to judge
    const char* held;      // null: it could not be read back; "": no default printer
    const char* unusable;  // why the stored name was not used; null when it was
    int missing;           // 1: this user has no printer of that name
};

// The outcome's line as a 「プリンタ」 line, none when it holds or there is nothing to judge.
void sayPrinterDifferences(const PrinterOutcome& outcome, DifferenceLines& lines);

// The preview's line for the default printer: its name, or that none is saved (null or
// empty), or why the saved one cannot be used.
void sayPrinterKept(const char* printer, const char* unusable, GrowingText& text);

// Lines after the save's and the apply's texts.
constexpr char kPrinterNotSavedLine[] = "通常使うプリンタは保存できませんでした。";
constexpr char kPrinterRunAsLine[] = "通常使うプリンタは、別のユーザーとして実行しているため保存しませんでした。";
constexpr char kPrinterWithheldLine[] = "「プリンタ」 通常使うプリンタ： 別のユーザーとして実行しているため設定しませんでした";
