// The browser's proxy as a profile keeps it: the per-connection options of the LAN
// (WinINet's INTERNET_PER_CONN_FLAGS, _PROXY_SERVER, _PROXY_BYPASS, _AUTOCONFIG_URL),
// stored as four keys of the profile's section after "name", "path" and "sort".
// Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

// The flags' bits (PROXY_TYPE_DIRECT, _PROXY, _AUTO_PROXY_URL, _AUTO_DETECT).
constexpr uint32_t kProxyDirect = 0x1;
constexpr uint32_t kProxyServer = 0x2;
constexpr uint32_t kProxyScript = 0x4;
constexpr uint32_t kProxyDetect = 0x8;
constexpr uint32_t kProxyKnownFlags = 0xF;

// A proxy text with its terminator: at most 1,023 bytes, which a private-profile value
// and WinINet both carry whole.
constexpr size_t kProxyTextSize = 1024;

constexpr char kProxyFlagsKey[] = "proxy";
constexpr char kProxyServerKey[] = "proxyserver";
constexpr char kProxyBypassKey[] = "proxybypass";
constexpr char kProxyScriptKey[] = "proxyurl";

struct ProxySettings {
    uint32_t flags;
    char server[kProxyTextSize];
    char bypass[kProxyTextSize];
    char script[kProxyTextSize];
};

// The four keys' values as the private-profile calls read them, each into a buffer of
// kProxyTextSize + 1 bytes (one that fills it was longer than a proxy text may be), into
// *out. Null when they make a proxy that may be sent; otherwise why not (the flags are
// not a number of known bits, a text is too long, a bypass list names no server), and
// *out is then not to be sent.
const char* readProxyKeys(const char* flags, const char* server, const char* bypass, const char* script,
                          ProxySettings* out);

// Null when each text comes back from a private-profile file as it was written: no line
// break or other control character, no blank at either end, no double quote at both ends.
// Otherwise the text the user is told.
const char* proxyStorageProblem(const ProxySettings& proxy);

// What the preview and the verdict show of a proxy, item by item.
enum ProxyItem { kProxyServerItem, kProxyBypassItem, kProxyScriptItem, kProxyDetectItem, kProxyItemCount };
// "プロキシ", "除外", "自動構成スクリプト", "設定を自動的に検出".
const char* proxyItemLabel(int item);
// What the browser uses for the item: the text in force ("なし" when its flag is off or it
// is empty; the bypass list goes with the server), or "する"/"しない" for detection.
const char* proxyItemValue(const ProxySettings& proxy, int item);
class DifferenceLines;
class GrowingText;

// What an apply asked of the browser's proxy and what it holds afterwards.
struct ProxyOutcome {
    const ProxySettings* asked;  // null: the profile keeps no proxy, nothing to judge
    const ProxySettings* held;   // null: it could not be read back
    const char* unusable;        // why the stored proxy was not sent; null when it was
};

// The outcome's lines, as 「ブラウザ」 lines: one per item that differs, or one when the proxy
// was not sent or cannot be read back; none with nothing to judge.
void sayProxyDifferences(const ProxyOutcome& outcome, DifferenceLines& lines);

// The preview's part for the browser's proxy: its items, or that none is saved (a null
// proxy), or why the saved one cannot be used. Lines end in CR LF.
void sayProxyKept(const ProxySettings* proxy, const char* unusable, GrowingText& text);

// Lines after the save's and the apply's texts.
constexpr char kProxyNotSavedLine[] = "ブラウザのプロキシ設定は保存できませんでした。";
constexpr char kProxyRunAsLine[] = "ブラウザのプロキシ設定は、別のユーザーとして実行しているため保存しませんでした。";
constexpr char kProxyWithheldLine[] = "「ブラウザ」 プロキシ： 別のユーザーとして実行しているため設定しませんでした";
