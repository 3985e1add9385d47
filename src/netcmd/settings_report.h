// Texts about connection settings: what of an apply did not take, and a profile's
// contents for the selection dialog. Portable: no windows.h.
#pragma once

#include "../browser/proxy_settings.h"
#include "../printer/printer_name.h"
#include "netsh_script.h"

// What an apply asked of the browser's proxy and what it holds afterwards.
struct ProxyOutcome {
    const ProxySettings* asked;  // null: the profile keeps no proxy, nothing to judge
    const ProxySettings* held;   // null: it could not be read back
    const char* unusable;        // why the stored proxy was not sent; null when it was
};

// What an apply asked of the default printer and what is the default afterwards.
struct PrinterOutcome {
    const char* asked;     // null: the profile names no printer, nothing to judge
    const char* held;      // null: it could not be read back; "": no default printer
    const char* unusable;  // why the stored name was not used; null when it was
    int missing;           // 1: this user has no printer of that name
};

// Difference lines shown at most; the rest are counted in one line.
constexpr int kMaxReportedDifferences = 10;

// How many settings of `asked` the connections in `held` (same order) do not hold.
// For an automatic (DHCP) source only the source is compared.
int countDifferences(const ScriptSettings& asked, const ScriptSettings& held);

// How many lines the proxy's outcome adds to the verdict: one per item that differs, or
// one when the proxy was not sent or cannot be read back; 0 with nothing to judge.
int countProxyDifferences(const ProxyOutcome& proxy);

// The line the printer's outcome adds to the verdict, 1, or 0 when it holds or there is
// nothing to judge.
int countPrinterDifferences(const PrinterOutcome& printer);

// failureText, a blank line, the heading and one line per difference (the connections',
// then the proxy's as 「ブラウザ」 lines, then the printer's as a 「プリンタ」 line) into a
// new[] buffer at *out. 0, with *out null, when memory is short.
int composeDifferenceReport(const char* failureText, const ScriptSettings& asked, const ScriptSettings& held,
                            char** out, const ProxyOutcome* proxy = nullptr, const PrinterOutcome* printer = nullptr);

// What the preview says when an apply would change nothing.
constexpr char kSameAsNowText[] = "現在の設定と同じです。";

// What an apply of `asked` would change on connections holding `held` (same order), of the
// browser's proxy and of the default printer: kSameAsNowText, or the heading and one line
// per difference, held value first ("現在"), then the one after the apply ("適用後"), lines
// ended by CR LF; into a new[] buffer at *out. 0, with *out null, when memory is short.
int composeChangePreview(const ScriptSettings& asked, const ScriptSettings& held, const ProxyOutcome* proxy,
                         const PrinterOutcome* printer, char** out);

// The preview's part for the browser's proxy: its items, or that none is saved, or why the
// saved one cannot be used. Lines end in CR LF; into a new[] buffer at *out.
int composeProxySummary(const ProxySettings* proxy, const char* unusable, char** out);

// The preview's line for the default printer: its name, or that none is saved, or why the
// saved one cannot be used; into a new[] buffer at *out.
int composePrinterSummary(const char* printer, const char* unusable, char** out);

// Why a script saved as Unicode is not run.
constexpr char kNotAnsiScriptText[] = "設定ファイルが ANSI（Shift-JIS）形式で保存されていないため、適用しませんでした。";

// Why a script with a line no dump holds is not run, naming that line, the two lines
// of the text joined by lineBreak (or why a script saved as Unicode is not), into a
// new[] buffer at *out. 0, with *out null, when memory is short.
int composeForeignLineReport(const ScriptSettings& script, const char* lineBreak, char** out);

// Each connection's name, then its settings indented, lines ended by CR LF, into a
// new[] buffer at *out. 0, with *out null, when memory is short.
int composeSettingsSummary(const ScriptSettings& script, char** out);

// text, then each line of `lines` that is not null, the first after the separator and the
// others after a line break, into a new[] buffer at *out; 0, with *out null, when memory is
// short.
int appendLines(const char* text, const char* separator, const char* const* lines, int count, char** out);
