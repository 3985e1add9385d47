// The netsh script reader and the texts built from it, on arbitrary bytes.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <sstream>
#include <string>

#include "netcmd/netsh_script.h"
#include "netcmd/settings_report.h"

namespace {

// Apart from the reader: a script that may run holds no control byte but tabs and line ends, no
// line longer than a dump's, "pushd interface ip" only outside one, otherwise only comments, popd
// and set|add|delete address|dns|wins.
bool holdsOnlySettings(const char* text, size_t size) {
    bool inside = false;
    std::istringstream lines(std::string(text, size));
    for (std::string line; std::getline(lines, line);) {
        if (line.size() > kMaxScriptLineBytes) return false;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        for (char& c : line) {
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F) return false;
            c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        }
        std::istringstream words(line);
        std::string verb, what, rest;
        words >> verb >> what >> rest;
        if (verb.empty() || verb[0] == '#') continue;
        if (verb == "popd" && inside) {
            inside = false;
            continue;
        }
        if (verb == "pushd" && what == "interface" && rest == "ip" && !inside) {
            inside = true;
            continue;
        }
        if (verb == "interface" && what == "ip") verb = rest, words >> what;
        if ((verb != "set" && verb != "add" && verb != "delete") || (what != "address" && what != "dns" && what != "wins"))
            return false;
    }
    return true;
}

}  // namespace

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
    if (settings->foreignLine == 0 && !holdsOnlySettings(text, size)) std::abort();
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
