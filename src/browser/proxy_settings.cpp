#include "proxy_settings.h"

#include <cstring>

#include "../common/difference_lines.h"
#include "../common/profile_text.h"

namespace {

constexpr char kBadFlagsText[] = "設定の値が正しくありません";
constexpr char kBypassWithoutServerText[] = "プロキシサーバーのない除外の一覧です";
constexpr char kNotStorableText[] =
    "ブラウザのプロキシ設定に、保存できない文字（改行や前後の空白など）があります。";

// Copies a value that fits whole (a null one is empty); false for one that filled its buffer.
bool copyProxyText(const char* text, char (&out)[kProxyTextSize]) { return copyTextWhole(out, kProxyTextSize, text); }

}  // namespace

const char* readProxyKeys(const char* flags, const char* server, const char* bypass, const char* script,
                          ProxySettings* out) {
    std::memset(out, 0, sizeof *out);
    uint32_t value = 0;
    size_t digits = 0;
    for (; flags != nullptr && flags[digits] >= '0' && flags[digits] <= '9' && digits < 3; ++digits)
        value = value * 10 + static_cast<uint32_t>(flags[digits] - '0');
    if (flags == nullptr || digits == 0 || flags[digits] != '\0' || (value & ~kProxyKnownFlags) != 0)
        return kBadFlagsText;
    out->flags = value;
    if (!copyProxyText(server, out->server) || !copyProxyText(bypass, out->bypass) ||
        !copyProxyText(script, out->script))
        return kTooLongValueText;
    if (out->bypass[0] != '\0' && out->server[0] == '\0') return kBypassWithoutServerText;
    return nullptr;
}

const char* proxyStorageProblem(const ProxySettings& proxy) {
    return isStorableValue(proxy.server) && isStorableValue(proxy.bypass) && isStorableValue(proxy.script)
               ? nullptr
               : kNotStorableText;
}

const char* proxyItemLabel(int item) {
    static const char* const kLabels[kProxyItemCount] = {"プロキシ", "除外", "自動構成スクリプト", "設定を自動的に検出"};
    return item >= 0 && item < kProxyItemCount ? kLabels[item] : "";
}

const char* proxyItemValue(const ProxySettings& proxy, int item) {
    static const char kNone[] = "なし";
    const char* text = nullptr;
    switch (item) {
    case kProxyServerItem: text = proxy.flags & kProxyServer ? proxy.server : nullptr; break;
    case kProxyBypassItem: text = proxy.flags & kProxyServer ? proxy.bypass : nullptr; break;
    case kProxyScriptItem: text = proxy.flags & kProxyScript ? proxy.script : nullptr; break;
    case kProxyDetectItem: return proxy.flags & kProxyDetect ? "する" : "しない";
    default: break;
    }
    return text != nullptr && text[0] != '\0' ? text : kNone;
}

namespace {
constexpr char kBrowserSubject[] = "ブラウザ";
}

void sayProxyDifferences(const ProxyOutcome& outcome, DifferenceLines& lines) {
    if (outcome.asked == nullptr) return;
    if (outcome.unusable != nullptr || outcome.held == nullptr) {
        if (GrowingText* line = lines.next(kBrowserSubject)) {
            line->add("プロキシ： ");
            if (outcome.unusable != nullptr)
                line->add(kUnusableBefore).add(outcome.unusable).add("）");
            else
                line->add(kUnreadableWord);
        }
        return;
    }
    for (int item = 0; item < kProxyItemCount; ++item) {
        const char* asked = proxyItemValue(*outcome.asked, item);
        const char* held = proxyItemValue(*outcome.held, item);
        if (std::strcmp(asked, held) != 0) lines.pair(kBrowserSubject, proxyItemLabel(item), asked, held);
    }
}

void sayProxyKept(const ProxySettings* proxy, const char* unusable, GrowingText& text) {
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
}
