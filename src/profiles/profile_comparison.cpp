#include "profile_comparison.h"

#include <new>

#include "../adapters/settings_readback.h"
#include "../browser/browser_proxy.h"
#include "../common/desktop_user.h"
#include "../netcmd/netsh_text.h"
#include "../netcmd/settings_report.h"
#include "../printer/default_printer.h"
#include "profile_texts.h"
#include "script_path.h"

namespace {

// What every profile is compared with, read once.
struct Now {
    MachineSettings machine;
    ProxySettings proxy;
    int proxyRead = 0;
    int runAs = 0;  // run as another user: an apply leaves the browser and the printer alone
    char printer[kPrinterNameSize];
    int printerRead = -1;  // -1: not yet asked; winspool is loaded for a profile that names a printer
};

// The default printer now, read when the first profile that names one needs it.
const char* printerNow(Now* now) {
    if (now->printerRead < 0) now->printerRead = readDefaultPrinterExactly(now->printer);
    return now->printerRead ? now->printer : nullptr;
}

// Joins text and part with the separator into *text (new[]); a null text takes the part.
int appendPart(char** text, const char* separator, const char* part) {
    char* joined = nullptr;
    if (!appendLines(*text != nullptr ? *text : "", *text != nullptr ? separator : "", &part, 1, &joined)) return 0;
    delete[] *text;
    *text = joined;
    return 1;
}

// A script that may run and names connections: what an apply would change (when the
// apply would run it and every connection it names could be read), then its contents.
// Sets holdsNow when an apply would change nothing.
void composeComparison(const ScriptSettings& script, int runnable, Now* now, const ProfileExtras& extras,
                       ScriptSettings* held, ProfileComparison* out) {
    char* part = nullptr;
    if (runnable && pickHeldSettings(script, now->machine, held)) {
        const ProxyOutcome proxy = {extras.keepsProxy && !now->runAs ? &extras.proxy : nullptr,
                                    now->proxyRead ? &now->proxy : nullptr, extras.proxyUnusable};
        PrinterOutcome printer = {nullptr, nullptr, extras.printerUnusable, 0};
        if (extras.keepsPrinter && !now->runAs) {
            printer.asked = extras.printer;
            printer.held = printerNow(now);
            printer.missing = extras.printerUnusable == nullptr &&
                              decidePrinterStep(printer.asked, printer.held, userHasPrinter) == PrinterStep::Missing;
        }
        out->holdsNow = countDifferences(script, *held) == 0 && countProxyDifferences(proxy) == 0 &&
                        countPrinterDifferences(printer) == 0;
        if (composeChangePreview(script, *held, &proxy, &printer, &part)) appendPart(&out->preview, "", part);
        delete[] part;
        part = nullptr;
    }
    if (composeSettingsSummary(script, &part)) appendPart(&out->preview, "\r\n\r\n", part);
    delete[] part;
}

// Why the script is not opened, cannot be shown or would not run, or the comparison and
// its contents, then the profile's proxy and printer.
void compareOne(const ProfileEntry& entry, const ProfileExtras& extras, Now* now, ScriptSettings* buffers,
                ProfileComparison* out) {
    ScriptSettings& script = buffers[0];
    if (!isScriptInWorkingFolder(entry)) {
        composeOutsideFolderReport(entry.path, "\r\n", &out->preview);
        return;
    }
    if (!readScriptSettings(entry.path, &script)) {
        if (appendPart(&out->preview, "", kUnreadableScriptText)) appendPart(&out->preview, "", entry.path);
        return;
    }
    if (script.foreignLine != 0) {
        composeForeignLineReport(script, "\r\n", &out->preview);
        return;
    }
    if (script.connectionCount > 0)
        composeComparison(script, isSingleWordPath(entry.path), now, extras, &buffers[1], out);
    else
        appendPart(&out->preview, "", kNoConnectionScriptText);
    char* part = nullptr;
    if (composeProxySummary(extras.keepsProxy ? &extras.proxy : nullptr, extras.proxyUnusable, &part))
        appendPart(&out->preview, "\r\n", part);
    delete[] part;
    part = nullptr;
    if (composePrinterSummary(extras.keepsPrinter ? extras.printer : nullptr, extras.printerUnusable, &part))
        appendPart(&out->preview, "\r\n", part);
    delete[] part;
}

}  // namespace

int compareProfilesWithNow(const ProfileCatalog& catalog, ProfileComparison** out) {
    const int count = catalog.count();
    *out = new (std::nothrow) ProfileComparison[count > 0 ? count : 1]();
    Now* now = new (std::nothrow) Now;
    ScriptSettings* buffers = new (std::nothrow) ScriptSettings[2];  // a script, what its connections hold
    ProfileExtras* extras = new (std::nothrow) ProfileExtras;
    if (*out == nullptr || now == nullptr || buffers == nullptr || extras == nullptr) {
        delete[] *out;
        *out = nullptr;
    } else {
        readMachineSettings(&now->machine);
        now->runAs = runsAsAnotherUser();
        now->proxyRead = !now->runAs && readBrowserProxy(&now->proxy);
        for (int i = 0; i < count; ++i) {
            ProfileEntry entry;
            if (!catalog.entryAt(i, &entry)) continue;
            if (catalog.readProfileExtras(i, extras)) compareOne(entry, *extras, now, buffers, &(*out)[i]);
        }
        releaseMachineSettings(&now->machine);
    }
    delete extras;
    delete[] buffers;
    delete now;
    return *out != nullptr;
}

void releaseProfileComparisons(ProfileComparison* comparisons, int count) {
    for (int i = 0; comparisons != nullptr && i < count; ++i) delete[] comparisons[i].preview;
    delete[] comparisons;
}
