#include "settings_report.h"

#include <cstring>
#include <new>

#include "../common/difference_lines.h"
#include "../common/profile_extra.h"
#include "../common/profile_text.h"
#include "netsh_text.h"

namespace {

constexpr char kNotTakenHeading[] = "反映されていない設定：";
constexpr char kChangesHeading[] = "適用すると変わる設定：";
constexpr char kAutomatic[] = "自動";
constexpr char kFixed[] = "固定";

// "なし", or the addresses joined by ", "; into either kind of text.
template <typename Text>
Text& addList(Text& text, const AddressList& addresses) {
    if (addresses.count == 0) return text.add(kNothingWord);
    for (int i = 0; i < addresses.count; ++i) text.add(i == 0 ? "" : ", ").quad(addresses.items[i]);
    return text;
}

bool sameList(const AddressList& a, const AddressList& b) {
    if (a.count != b.count) return false;
    for (int i = 0; i < a.count; ++i)
        if (a.items[i] != b.items[i]) return false;
    return true;
}

// A line for one setting whose sides are address lists, or a word for the asked side.
void listPair(DifferenceLines& d, const char* connectionName, const char* what, const AddressList* asked,
              const char* askedWord, const AddressList& held) {
    // At most eight "a.b.c.d, ": each list fits its buffer.
    char askedText[kMaxListAddresses * 17 + sizeof kNothingWord], heldText[sizeof askedText];
    BoundedText askedList(askedText, sizeof askedText), heldList(heldText, sizeof heldText);
    if (d.writes() && asked != nullptr) addList(askedList, *asked);
    if (d.writes()) addList(heldList, held);
    d.pair(connectionName, what, asked != nullptr ? askedText : askedWord, heldText);
}

void compareServers(DifferenceLines& d, const char* name, const char* what, SettingSource source,
                    const AddressList& asked, const AddressList& held) {
    if (source == SettingSource::Dhcp && held.count != 0) listPair(d, name, what, nullptr, kAutomatic, held);
    if (source == SettingSource::Static && !sameList(asked, held)) listPair(d, name, what, &asked, nullptr, held);
}

const char* sourceWord(SettingSource source) { return source == SettingSource::Dhcp ? kAutomatic : kFixed; }

void compareConnection(DifferenceLines& d, const ConnectionSettings& asked, const ConnectionSettings& held) {
    const char* name = asked.name;
    if (!held.present) {
        if (GrowingText* line = d.next(name)) line->add("この接続はありません");
        return;
    }
    if (asked.addressSource != SettingSource::Unsaid && asked.addressSource != held.addressSource) {
        d.pair(name, "取得方法", sourceWord(asked.addressSource), sourceWord(held.addressSource));
    } else if (asked.addressSource == SettingSource::Static) {
        if (!sameList(asked.addresses, held.addresses))
            listPair(d, name, "IPアドレス", &asked.addresses, nullptr, held.addresses);
        if (!sameList(asked.masks, held.masks)) listPair(d, name, "サブネットマスク", &asked.masks, nullptr, held.masks);
    }
    if (asked.gatewaysSaid && asked.addressSource != SettingSource::Dhcp &&
        held.addressSource != SettingSource::Dhcp && !sameList(asked.gateways, held.gateways))
        listPair(d, name, "デフォルトゲートウェイ", &asked.gateways, nullptr, held.gateways);
    compareServers(d, name, "DNSサーバー", asked.dnsSource, asked.dns, held.dns);
    compareServers(d, name, "WINSサーバー", asked.winsSource, asked.wins, held.wins);
}

void sayExtras(DifferenceLines& d, const ExtraOutcomes* extras) {
    for (int i = 0; extras != nullptr && i < extras->count; ++i)
        if (extras->states[i] != nullptr) extras->kinds[i]->sayDifferences(extras->states[i], d);
}

int collectDifferences(DifferenceLines& d, const ScriptSettings& asked, const ScriptSettings& held,
                       const ExtraOutcomes* extras) {
    for (int i = 0; i < asked.connectionCount; ++i) {
        static ConnectionSettings missing;  // zero: not present
        compareConnection(d, asked.connections[i], i < held.connectionCount ? held.connections[i] : missing);
    }
    sayExtras(d, extras);
    return d.finish();
}

}  // namespace

int countDifferences(const ScriptSettings& asked, const ScriptSettings& held) {
    DifferenceLines d(nullptr, false, "");
    return collectDifferences(d, asked, held, nullptr);
}

int countExtraDifferences(const ExtraOutcomes& extras) {
    DifferenceLines d(nullptr, false, "");
    sayExtras(d, &extras);
    return d.count();
}

int composeDifferenceReport(const char* failureText, const ScriptSettings& asked, const ScriptSettings& held,
                            const ExtraOutcomes* extras, char** out) {
    GrowingText text;
    text.add(failureText != nullptr ? failureText : "").add("\n\n").add(kNotTakenHeading);
    DifferenceLines d(&text, false, "\n");
    collectDifferences(d, asked, held, extras);
    return text.hand(out);
}

int composeChangePreview(const ScriptSettings& asked, const ScriptSettings& held, const ExtraOutcomes* extras,
                         char** out) {
    GrowingText text;
    DifferenceLines d(&text, true, "\r\n");
    text.add(kChangesHeading);
    if (collectDifferences(d, asked, held, extras) == 0) return GrowingText().add(kSameAsNowText).hand(out);
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
