// The netsh script reader and the texts built from it, on arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "netcmd/netsh_script.h"
#include "netcmd/settings_report.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    auto settings = std::make_unique<ScriptSettings>();
    readNetshScript(text, size, settings.get());
    if (settings->connectionCount < 0 || settings->connectionCount > kMaxScriptConnections) std::abort();
    for (int i = 0; i < settings->connectionCount; ++i) {
        const ConnectionSettings& c = settings->connections[i];
        if (std::strlen(c.name) >= kScriptNameSize || c.addresses.count > kMaxListAddresses ||
            c.addresses.count != c.masks.count || c.dns.count > kMaxListAddresses)
            std::abort();
    }
    // Settings always hold what they ask.
    if (countDifferences(*settings, *settings) != 0) std::abort();
    char* summary = nullptr;
    if (!composeSettingsSummary(*settings, &summary)) std::abort();
    delete[] summary;
    AddressList list;
    parseAddressList(text, size, &list);
    if (list.count > kMaxListAddresses) std::abort();
    return 0;
}
