#include "browser/proxy_settings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/composed_text.h"

namespace {

// The keys as a hand may have left them: only a proxy that is whole is sent, and the
// preview says what it holds or why it is not used.
TEST(ProxySettings, OnlyWholeKeysMakeAProxyAndThePreviewSaysWhatItHolds) {
    const std::string longest(1023, 's'), none = "ブラウザのプロキシ\r\n  プロキシ： なし\r\n  除外： なし\r\n  自動構成スクリプト： なし";
    const struct { const char* flags; std::string server, bypass, script, preview; } cases[] = {
        {"3", "proxy.example:8080", "<local>;*.example", "http://x/p.pac",
         "ブラウザのプロキシ\r\n  プロキシ： proxy.example:8080\r\n  除外： <local>;*.example\r\n  自動構成スクリプト： なし"},
        {"13", "", "", "http://wpad/p.pac",
         "ブラウザのプロキシ\r\n  プロキシ： なし\r\n  除外： なし\r\n  自動構成スクリプト： http://wpad/p.pac\r\n  設定を自動的に検出： する"},
        {"1", "kept:80", "", "", none},
        {"3", longest, "", "", "ブラウザのプロキシ\r\n  プロキシ： " + longest + "\r\n  除外： なし\r\n  自動構成スクリプト： なし"},
        {"3", longest + "s", "", "", "ブラウザのプロキシ： 保存された設定を使えません（設定の文字列が長すぎます）"},
        {"1", "", "<local>", "", "ブラウザのプロキシ： 保存された設定を使えません（プロキシサーバーのない除外の一覧です）"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        ProxySettings proxy;
        const char* problem = readProxyKeys(cases[i].flags, cases[i].server.c_str(), cases[i].bypass.c_str(),
                                            cases[i].script.c_str(), &proxy);
        EXPECT_EQ(cases[i].preview, said([&](GrowingText& text) { sayProxyKept(&proxy, problem, text); })) << "case " << i;
    }
    ProxySettings proxy;
    for (const char* flags : {"", "x", "16", "-1", "2 ", "0x3", "1000", static_cast<const char*>(nullptr)})
        EXPECT_STREQ("設定の値が正しくありません", readProxyKeys(flags, "", "", "", &proxy)) << (flags ? flags : "null");
}

TEST(ProxySettings, TextsThatWouldNotComeBackFromTheFileAreRefusedAndTheVerdictNamesEachItem) {
    ProxySettings proxy;
    ASSERT_EQ(nullptr, readProxyKeys("3", "a b:80", "", "", &proxy));
    EXPECT_EQ(nullptr, proxyStorageProblem(proxy));
    for (const char* server : {" lead", "trail ", "a\r\nb", "\"quoted\"", "'quoted'", "tab\there", "p:80\x81\x40"}) {
        std::strcpy(proxy.server, server);
        EXPECT_NE(nullptr, proxyStorageProblem(proxy)) << server;
    }
    ProxySettings asked, held;
    readProxyKeys("11", "proxy.example:8080", "<local>", "", &asked);
    readProxyKeys("1", "", "", "", &held);
    const ProxyOutcome outcomes[] = {{&asked, &held, nullptr}, {&asked, nullptr, nullptr}, {&asked, &held, "理由"},
                                     {nullptr, &held, nullptr}, {&asked, &asked, nullptr}};
    const char* const lines[] = {
        ("\n「ブラウザ」 プロキシ： 指定 proxy.example:8080 ／ 現在 なし\n「ブラウザ」 除外： 指定 <local> ／ 現在 なし"
         "\n「ブラウザ」 設定を自動的に検出： 指定 する ／ 現在 しない"),
        "\n「ブラウザ」 プロキシ： 読み取れません", "\n「ブラウザ」 プロキシ： 保存された設定を使えません（理由）", "", ""};
    for (int i = 0; i < 5; ++i) {
        const auto say = [&](DifferenceLines& d) { sayProxyDifferences(outcomes[i], d); };
        EXPECT_EQ(lines[i], differenceLines(say)) << "case " << i;
        EXPECT_EQ(i == 0 ? 3 : i < 3 ? 1 : 0, differenceCount(say)) << "case " << i;
    }
    // The preview before an apply: what is held, then what the apply sets.
    EXPECT_EQ("\r\n「ブラウザ」 プロキシ： 現在 なし ／ 適用後 proxy.example:8080\r\n「ブラウザ」 除外： "
              "現在 なし ／ 適用後 <local>\r\n「ブラウザ」 設定を自動的に検出： 現在 しない ／ 適用後 する",
              differenceLines([&](DifferenceLines& d) { sayProxyDifferences(outcomes[0], d); }, true));
}

}  // namespace
