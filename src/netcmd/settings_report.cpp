#include "settings_report.h"

#include <cstring>
#include <new>

#include "../common/text_builder.h"
#include "netsh_text.h"

namespace {

constexpr char kNotTakenHeading[] = "反映されていない設定：";
constexpr char kChangesHeading[] = "適用すると変わる設定：";
constexpr char kAutomatic[] = "自動";
constexpr char kFixed[] = "固定";
constexpr char kNothing[] = "なし";

GrowingText& addList(GrowingText& text, const AddressList& addresses) {
    if (addresses.count == 0) return text.add(kNothing);
    for (int i = 0; i < addresses.count; ++i) text.add(i == 0 ? "" : ", ").quad(addresses.items[i]);
    return text;
}

bool sameList(const AddressList& a, const AddressList& b) {
    if (a.count != b.count) return false;
    for (int i = 0; i < a.count; ++i)
        if (a.items[i] != b.items[i]) return false;
    return true;
}

// One side of a difference: an address list or a word.
struct Shown {
    const AddressList* list;
    const char* word;
};

// Collects difference lines: every one is counted, the first few are written, and the
// rest counted in one line at the end. The
// verdict says what was asked, then what is held; the preview what is held now, then
// what an apply would leave.
struct Differences {
    GrowingText* text;
    bool beforeApply = false;
    const char* lineBreak = "\n";
    int count = 0;

    GrowingText* next(const char* connectionName) {
        if (++count > kMaxReportedDifferences || text == nullptr) return nullptr;
        return &text->add(lineBreak).add("「").add(connectionName).add("」 ");
    }
    static GrowingText& show(GrowingText* line, Shown value) {
        return value.list != nullptr ? addList(*line, *value.list) : line->add(value.word);
    }
    void pair(const char* connectionName, const char* what, Shown asked, Shown held) {
        GrowingText* line = next(connectionName);
        if (line == nullptr) return;
        const Shown first = beforeApply ? held : asked, second = beforeApply ? asked : held;
        line->add(what).add(beforeApply ? "： 現在 " : "： 指定 ");
        show(line, first).add(beforeApply ? " ／ 適用後 " : " ／ 現在 ");
        show(line, second);
    }
    void item(const char* connectionName, const char* what, const AddressList* asked, const char* askedWord,
              const AddressList& held) {
        pair(connectionName, what, Shown{asked, askedWord}, Shown{&held, nullptr});
    }
};

void compareServers(Differences& d, const char* name, const char* what, SettingSource source,
                    const AddressList& asked, const AddressList& held) {
    if (source == SettingSource::Dhcp && held.count != 0) d.item(name, what, nullptr, kAutomatic, held);
    if (source == SettingSource::Static && !sameList(asked, held)) d.item(name, what, &asked, nullptr, held);
}

const char* sourceWord(SettingSource source) { return source == SettingSource::Dhcp ? kAutomatic : kFixed; }

void compareConnection(Differences& d, const ConnectionSettings& asked, const ConnectionSettings& held) {
    const char* name = asked.name;
    if (!held.present) {
        if (GrowingText* line = d.next(name)) line->add("この接続はありません");
        return;
    }
    if (asked.addressSource != SettingSource::Unsaid && asked.addressSource != held.addressSource) {
        d.pair(name, "取得方法", Shown{nullptr, sourceWord(asked.addressSource)},
               Shown{nullptr, sourceWord(held.addressSource)});
    } else if (asked.addressSource == SettingSource::Static) {
        if (!sameList(asked.addresses, held.addresses))
            d.item(name, "IPアドレス", &asked.addresses, nullptr, held.addresses);
        if (!sameList(asked.masks, held.masks)) d.item(name, "サブネットマスク", &asked.masks, nullptr, held.masks);
    }
    if (asked.gatewaysSaid && asked.addressSource != SettingSource::Dhcp &&
        held.addressSource != SettingSource::Dhcp && !sameList(asked.gateways, held.gateways))
        d.item(name, "デフォルトゲートウェイ", &asked.gateways, nullptr, held.gateways);
    compareServers(d, name, "DNSサーバー", asked.dnsSource, asked.dns, held.dns);
    compareServers(d, name, "WINSサーバー", asked.winsSource, asked.wins, held.wins);
}

constexpr char kBrowserName[] = "ブラウザ";
constexpr char kUnusableBefore[] = "保存された設定を使えません（";

void compareProxy(Differences& d, const ProxyOutcome& proxy) {
    if (proxy.asked == nullptr) return;
    if (proxy.unusable != nullptr || proxy.held == nullptr) {
        if (GrowingText* line = d.next(kBrowserName))
            line->add("プロキシ： ")
                .add(proxy.unusable != nullptr ? kUnusableBefore : "読み取れません")
                .add(proxy.unusable != nullptr ? proxy.unusable : "")
                .add(proxy.unusable != nullptr ? "）" : "");
        return;
    }
    for (int item = 0; item < kProxyItemCount; ++item) {
        const char* asked = proxyItemValue(*proxy.asked, item);
        const char* held = proxyItemValue(*proxy.held, item);
        if (std::strcmp(asked, held) == 0) continue;
        d.pair(kBrowserName, proxyItemLabel(item), Shown{nullptr, asked}, Shown{nullptr, held});
    }
}

constexpr char kPrinterName[] = "プリンタ";

void comparePrinter(Differences& d, const PrinterOutcome& printer) {
    if (printer.asked == nullptr) return;
    if (printer.unusable == nullptr && !printer.missing && printer.held != nullptr) {
        if (!samePrinterName(printer.asked, printer.held))
            d.pair(kPrinterName, kPrinterLabel, Shown{nullptr, printer.asked},
                   Shown{nullptr, printer.held[0] != '\0' ? printer.held : kNothing});
        return;
    }
    GrowingText* line = d.next(kPrinterName);
    if (line == nullptr) return;
    if (printer.missing)
        line->add("「").add(printer.asked).add("」はこのコンピュータにありません");
    else if (printer.unusable != nullptr)
        line->add(kPrinterLabel).add("： ").add(kUnusableBefore).add(printer.unusable).add("）");
    else
        line->add(kPrinterLabel).add("： 読み取れません");
}

int collectDifferences(Differences& d, const ScriptSettings& asked, const ScriptSettings& held,
                       const ProxyOutcome* proxy = nullptr, const PrinterOutcome* printer = nullptr) {
    for (int i = 0; i < asked.connectionCount; ++i) {
        static ConnectionSettings missing;  // zero: not present
        compareConnection(d, asked.connections[i], i < held.connectionCount ? held.connections[i] : missing);
    }
    if (proxy != nullptr) compareProxy(d, *proxy);
    if (printer != nullptr) comparePrinter(d, *printer);
    if (d.text != nullptr && d.count > kMaxReportedDifferences)
        d.text->add(d.lineBreak).add("ほか ").number(d.count - kMaxReportedDifferences).add(" 件");
    return d.count;
}

}  // namespace

int countDifferences(const ScriptSettings& asked, const ScriptSettings& held) {
    Differences d{nullptr};
    return collectDifferences(d, asked, held);
}

int countProxyDifferences(const ProxyOutcome& proxy) {
    Differences d{nullptr};
    compareProxy(d, proxy);
    return d.count;
}

int countPrinterDifferences(const PrinterOutcome& printer) {
    Differences d{nullptr};
    comparePrinter(d, printer);
    return d.count;
}

int composeDifferenceReport(const char* failureText, const ScriptSettings& asked, const ScriptSettings& held,
                            char** out, const ProxyOutcome* proxy, const PrinterOutcome* printer) {
    GrowingText text;
    text.add(failureText != nullptr ? failureText : "").add("\n\n").add(kNotTakenHeading);
    Differences d{&text};
    collectDifferences(d, asked, held, proxy, printer);
    return text.hand(out);
}

int composeChangePreview(const ScriptSettings& asked, const ScriptSettings& held, const ProxyOutcome* proxy,
                         const PrinterOutcome* printer, char** out) {
    GrowingText text;
    Differences d{&text, true, "\r\n"};
    text.add(kChangesHeading);
    if (collectDifferences(d, asked, held, proxy, printer) == 0) return GrowingText().add(kSameAsNowText).hand(out);
    return text.hand(out);
}

int composeForeignLineReport(const ScriptSettings& script, const char* lineBreak, char** out) {
    GrowingText text;
    if (script.notAnsi) return text.add(kNotAnsiScriptText).hand(out);
    text.add("設定ファイルにネットワークの設定以外のコマンドがあるため、適用しませんでした。")
        .add(lineBreak)
        .add("（")
        .number(script.foreignLine)
        .add(" 行目： ")
        .add(script.foreignText)
        .add("）");
    return text.hand(out);
}

int composeSettingsSummary(const ScriptSettings& script, char** out) {
    GrowingText text;
    for (int i = 0; i < script.connectionCount; ++i) {
        const ConnectionSettings& c = script.connections[i];
        text.add(i == 0 ? "" : "\r\n").add(c.name);
        if (c.addressSource == SettingSource::Dhcp) text.add("\r\n  IPアドレス： 自動 (DHCP)");
        for (int a = 0; c.addressSource == SettingSource::Static && a < c.addresses.count; ++a)
            text.add("\r\n  IPアドレス： ").quad(c.addresses.items[a]).add(" / ").quad(a < c.masks.count ? c.masks.items[a] : 0);
        if (c.addressSource != SettingSource::Dhcp && c.gateways.count > 0)
            addList(text.add("\r\n  ゲートウェイ： "), c.gateways);
        if (c.dnsSource == SettingSource::Dhcp) text.add("\r\n  DNS： 自動");
        if (c.dnsSource == SettingSource::Static) addList(text.add("\r\n  DNS： "), c.dns);
        if (c.winsSource == SettingSource::Static && c.wins.count > 0) addList(text.add("\r\n  WINS： "), c.wins);
    }
    return text.hand(out);
}

int composeProxySummary(const ProxySettings* proxy, const char* unusable, char** out) {
    GrowingText text;
    if (proxy == nullptr) {
        text.add("ブラウザのプロキシ： 保存されていません");
    } else if (unusable != nullptr) {
        text.add("ブラウザのプロキシ： ").add(kUnusableBefore).add(unusable).add("）");
    } else {
        text.add("ブラウザのプロキシ");
        for (int item = 0; item < kProxyItemCount; ++item)
            if (item != kProxyDetectItem || (proxy->flags & kProxyDetect))
                text.add("\r\n  ").add(proxyItemLabel(item)).add("： ").add(proxyItemValue(*proxy, item));
    }
    return text.hand(out);
}

int composePrinterSummary(const char* printer, const char* unusable, char** out) {
    GrowingText text;
    text.add(kPrinterLabel).add("： ");
    if (unusable != nullptr)
        text.add(kUnusableBefore).add(unusable).add("）");
    else
        text.add(printer != nullptr && printer[0] != '\0' ? printer : "保存されていません");
    return text.hand(out);
}

int appendLines(const char* text, const char* separator, const char* const* lines, int count, char** out) {
    GrowingText joined;
    joined.add(text);
    for (int i = 0; i < count; ++i)
        if (lines[i] != nullptr) {
            joined.add(separator).add(lines[i]);
            separator = "\n";
        }
    return joined.hand(out);
}
