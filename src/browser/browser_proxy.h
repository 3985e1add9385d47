// The current user's LAN proxy, read and set through WinINet's per-connection options.
// wininet.dll is bound at the first call, so a start of the tool loads nothing more.
#pragma once

#include <windows.h>

#include "proxy_settings.h"

// Reads the flags, server, bypass list and configuration script's address into *out.
// 0 when WinINet cannot be bound or queried, or a text is longer than a proxy text.
int readBrowserProxy(ProxySettings* out);

// Sets all four, then tells running browsers (settings changed, refresh). 1 when WinINet
// took the options.
int applyBrowserProxy(const ProxySettings& proxy);
