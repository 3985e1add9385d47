// The browser's proxy through WinINet's per-connection options. Wine keeps only the proxy
// flag and the server; the other options go through a stand-in that keeps all four, as
// Windows does.
#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <cstring>
#include <string>
#include <vector>

#include "browser/browser_proxy.h"
#include "common/late_binding.h"

namespace {

ProxySettings kept;                 // what the stand-in holds
std::vector<DWORD> optionsSet;      // every option the tool set, in order

BOOL WINAPI keepAll(void*, DWORD option, void* buffer, DWORD) {
    optionsSet.push_back(option);
    if (option != INTERNET_OPTION_PER_CONNECTION_OPTION) return TRUE;
    const auto* list = static_cast<INTERNET_PER_CONN_OPTION_LISTA*>(buffer);
    if (list->pszConnection != nullptr || list->dwOptionCount != 4) return FALSE;
    kept.flags = list->pOptions[0].Value.dwValue;
    lstrcpynA(kept.server, list->pOptions[1].Value.pszValue, kProxyTextSize);
    lstrcpynA(kept.bypass, list->pOptions[2].Value.pszValue, kProxyTextSize);
    lstrcpynA(kept.script, list->pOptions[3].Value.pszValue, kProxyTextSize);
    return TRUE;
}

// WinINet hands each text over in memory of GlobalAlloc, for the caller to free.
LPSTR handOver(const std::string& text) {
    LPSTR copy = static_cast<LPSTR>(GlobalAlloc(GMEM_FIXED, text.size() + 1));
    lstrcpyA(copy, text.c_str());
    return copy;
}

std::string longServer;  // set: the stand-in answers with a server of that text instead

BOOL WINAPI giveAll(void*, DWORD option, void* buffer, DWORD*) {
    auto* list = static_cast<INTERNET_PER_CONN_OPTION_LISTA*>(buffer);
    if (option != INTERNET_OPTION_PER_CONNECTION_OPTION || list->dwOptionCount != 4) return FALSE;
    list->pOptions[0].Value.dwValue = kept.flags;
    list->pOptions[1].Value.pszValue = handOver(longServer.empty() ? kept.server : longServer);
    list->pOptions[2].Value.pszValue = handOver(kept.bypass);
    list->pOptions[3].Value.pszValue = kept.script[0] ? handOver(kept.script) : nullptr;
    return TRUE;
}

TEST(BrowserProxy, AllFourOptionsGoOutAndComeBackAndBrowsersAreTold) {
    const ProxySettings office = {kProxyDirect | kProxyServer | kProxyScript | kProxyDetect, "proxy.example:8080",
                                  "<local>;*.example", "http://wpad.example/proxy.pac"};
    late::InternetQueryOptionA.standIn = giveAll;
    late::InternetSetOptionA.standIn = keepAll;
    ASSERT_EQ(1, applyBrowserProxy(office));
    EXPECT_EQ((std::vector<DWORD>{INTERNET_OPTION_PER_CONNECTION_OPTION, INTERNET_OPTION_SETTINGS_CHANGED,
                                  INTERNET_OPTION_REFRESH}),
              optionsSet);
    ProxySettings read;
    std::memset(&read, 0xCC, sizeof read);
    ASSERT_EQ(1, readBrowserProxy(&read));
    EXPECT_EQ(office.flags, read.flags);
    EXPECT_STREQ(office.server, read.server);
    EXPECT_STREQ(office.bypass, read.bypass);
    EXPECT_STREQ(office.script, read.script);
    longServer.assign(kProxyTextSize, 's');  // longer than a proxy text: not read
    EXPECT_EQ(0, readBrowserProxy(&read));
    longServer.clear();
    late::InternetQueryOptionA.standIn.reset();  // Wine's own WinINet is read back end to end (Profiles.TheBrowsersProxy…)
    late::InternetSetOptionA.standIn.reset();
}

}  // namespace
