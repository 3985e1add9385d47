#include "printer_extra.h"

#include <new>

#include "../common/text_builder.h"
#include "default_printer.h"

namespace {

struct PrinterExtra {
    char kept[kPrinterNameSize];
    int keeps = 0;
    const char* unusable = nullptr;
    char now[kPrinterNameSize];  // the default when read for a save, or for the first judgement
    int nowRead = -1;            // -1: not read yet; winspool is loaded for a profile that names a printer
    int notAnsi = 0;             // the name read for a save holds a character the code page lacks
    char held[kPrinterNameSize];
    PrinterOutcome outcome = {nullptr, nullptr, nullptr, 0};
};

PrinterExtra& own(void* state) { return *static_cast<PrinterExtra*>(state); }
const PrinterExtra& own(const void* state) { return *static_cast<const PrinterExtra*>(state); }

void* create() { return new (std::nothrow) PrinterExtra; }
void release(void* state) { delete static_cast<PrinterExtra*>(state); }

// Read as ANSI and checked against its Unicode name; a name that cannot be checked is not
// saved.
int readNow(void* state) {
    PrinterExtra& printer = own(state);
    printer.nowRead = readDefaultPrinter(printer.now);
    if (!printer.nowRead || printer.now[0] == '\0') return printer.nowRead;
    const WideName wide = compareDefaultPrinterWide(printer.now);
    printer.nowRead = wide != WideName::Unreadable;
    printer.notAnsi = wide == WideName::Differs;
    return printer.nowRead;
}

const char* storageProblem(const void* state) {
    const PrinterExtra& printer = own(state);
    if (printer.nowRead != 1) return nullptr;
    const char* problem = printerStorageProblem(printer.now);
    return problem == nullptr && printer.notAnsi ? kPrinterNameNotAnsiText : problem;
}

// Deleted first, so that a key saved before the proxy's is written after them again.
int writeKeys(const ProfileKeys& keys, const void* state, int write) {
    const int deleted = keys.write(keys.catalog, kPrinterKey, nullptr);
    return write ? keys.write(keys.catalog, kPrinterKey, own(state).now) : deleted;
}

void readKeys(const ProfileKeys& keys, void* state) {
    PrinterExtra& printer = own(state);
    // Two bytes more than a name: a longer value reads long even when cut at a character
    // boundary, and is refused as such.
    char value[kPrinterNameSize + 2];
    keys.read(keys.catalog, kPrinterKey, value, sizeof value, "");
    printer.unusable = readPrinterKey(value, printer.kept);
    printer.keeps = value[0] != '\0';
    printer.outcome = {nullptr, nullptr, nullptr, 0};
}

int keeps(const void* state) { return own(state).keeps; }

// As decidePrinterStep says: the default already, or one this user does not have, is not
// set (winspool would look for a missing one on a print server the network may no longer
// reach).
void apply(void* state) {
    PrinterExtra& printer = own(state);
    if (!printer.keeps) return;
    printer.outcome = {printer.kept, nullptr, printer.unusable, 0};
    if (printer.unusable != nullptr) return;
    const char* defaultNow = readDefaultPrinterExactly(printer.held) ? printer.held : nullptr;
    switch (decidePrinterStep(printer.kept, defaultNow, userHasPrinter)) {
    case PrinterStep::Holds: printer.outcome.held = defaultNow; break;
    case PrinterStep::Missing: printer.outcome.missing = 1; break;
    case PrinterStep::Set:
        setDefaultPrinter(printer.kept);
        if (readDefaultPrinterExactly(printer.held)) printer.outcome.held = printer.held;
        break;
    }
}

void judge(void* state) {
    PrinterExtra& printer = own(state);
    if (!printer.keeps) return;
    if (printer.nowRead < 0) printer.nowRead = readDefaultPrinterExactly(printer.now);
    printer.outcome = {printer.kept, printer.nowRead ? printer.now : nullptr, printer.unusable, 0};
    printer.outcome.missing = printer.unusable == nullptr && decidePrinterStep(printer.kept, printer.outcome.held,
                                                                               userHasPrinter) == PrinterStep::Missing;
}

void sayDifferences(const void* state, DifferenceLines& lines) { sayPrinterDifferences(own(state).outcome, lines); }

void sayKept(const void* state, GrowingText& text) {
    sayPrinterKept(own(state).keeps ? own(state).kept : nullptr, own(state).unusable, text);
}

}  // namespace

// In the order of ExtraKind's members.
const ExtraKind kPrinterExtra = {
    create, release,                     // the state
    readNow, storageProblem, writeKeys,  // the save
    readKeys, keeps,                     // the profile's keys
    apply, judge,                        // the apply, the comparison
    sayDifferences, sayKept,             // the verdict's and the preview's lines
    kPrinterNotSavedLine, kPrinterRunAsLine, kPrinterWithheldLine,
    0,  // the user's
};
