#include "browser_proxy.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>

#include "../common/late_binding.h"

namespace {

const DWORD kOptions[4] = {INTERNET_PER_CONN_FLAGS, INTERNET_PER_CONN_PROXY_SERVER, INTERNET_PER_CONN_PROXY_BYPASS,
                           INTERNET_PER_CONN_AUTOCONFIG_URL};

// The option list of the LAN (no connection name) over the four options.
void prepareList(INTERNET_PER_CONN_OPTION_LISTA* list, INTERNET_PER_CONN_OPTIONA (&options)[4]) {
    ZeroMemory(options, sizeof options);
    for (int i = 0; i < 4; ++i) options[i].dwOption = kOptions[i];
    ZeroMemory(list, sizeof *list);
    list->dwSize = sizeof *list;
    list->pszConnection = nullptr;
    list->dwOptionCount = 4;
    list->pOptions = options;
}

// Takes a text WinINet allocated (null: none) and frees it; false when it does not fit.
bool takeText(LPSTR text, char (&out)[kProxyTextSize]) {
    out[0] = '\0';
    if (text == nullptr) return true;
    const size_t length = std::strlen(text);
    const bool fits = length < kProxyTextSize;
    if (fits) std::memcpy(out, text, length + 1);
    GlobalFree(text);
    return fits;
}

}  // namespace

int readBrowserProxy(ProxySettings* out) {
    if (out == nullptr) return 0;
    std::memset(out, 0, sizeof *out);
    const auto query = late::InternetQueryOptionA();
    if (query == nullptr) return 0;
    INTERNET_PER_CONN_OPTIONA options[4];
    INTERNET_PER_CONN_OPTION_LISTA list;
    prepareList(&list, options);
    DWORD size = sizeof list;
    if (!query(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, &size)) return 0;
    out->flags = options[0].Value.dwValue;
    // Every text WinINet handed over is freed, whether or not it fits.
    const bool server = takeText(options[1].Value.pszValue, out->server);
    const bool bypass = takeText(options[2].Value.pszValue, out->bypass);
    const bool script = takeText(options[3].Value.pszValue, out->script);
    return server && bypass && script;
}

int applyBrowserProxy(const ProxySettings& proxy) {
    const auto set = late::InternetSetOptionA();
    if (set == nullptr) return 0;
    INTERNET_PER_CONN_OPTIONA options[4];
    INTERNET_PER_CONN_OPTION_LISTA list;
    prepareList(&list, options);
    // WinINet takes the texts without changing them; copies keep the record const.
    ProxySettings texts = proxy;
    options[0].Value.dwValue = proxy.flags;
    options[1].Value.pszValue = texts.server;
    options[2].Value.pszValue = texts.bypass;
    options[3].Value.pszValue = texts.script;
    const BOOL taken = set(nullptr, INTERNET_OPTION_PER_CONNECTION_OPTION, &list, sizeof list);
    set(nullptr, INTERNET_OPTION_SETTINGS_CHANGED, nullptr, 0);
    set(nullptr, INTERNET_OPTION_REFRESH, nullptr, 0);
    return taken != FALSE;
}
