#include "sim_registry.h"

#include "common/dotted_quad.h"

namespace {

bool readRaw(HKEY key, const char* value, std::vector<char>& data, DWORD* type) {
    DWORD size = 0;
    if (RegQueryValueExA(key, value, nullptr, type, nullptr, &size) != ERROR_SUCCESS) return false;
    data.assign(size + 2, '\0');
    return RegQueryValueExA(key, value, nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size) ==
           ERROR_SUCCESS;
}

}  // namespace

bool simulationInstalled() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSimulationMarkerKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    DWORD installed = 0;
    const bool found = readNumber(key, kSimulationMarkerValue, installed) && installed == 1;
    RegCloseKey(key);
    return found;
}

std::vector<SimConnection> listConnections() {
    std::vector<SimConnection> connections;
    HKEY classKey;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kNetworkClassKey, 0, KEY_READ, &classKey) != ERROR_SUCCESS)
        return connections;
    for (DWORD index = 0;; ++index) {
        char subkey[256];
        DWORD length = sizeof subkey;
        if (RegEnumKeyExA(classKey, index, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        HKEY connectionKey;
        const std::string path = std::string(subkey) + "\\Connection";
        if (RegOpenKeyExA(classKey, path.c_str(), 0, KEY_READ, &connectionKey) != ERROR_SUCCESS) continue;
        std::string name;
        if (readText(connectionKey, "Name", name)) connections.push_back({subkey, name});
        RegCloseKey(connectionKey);
    }
    RegCloseKey(classKey);
    return connections;
}

std::string interfaceKeyPath(const std::string& instanceId) {
    return std::string(kInterfacesKey) + "\\" + instanceId;
}

std::string netBtKeyPath(const std::string& instanceId) {
    return std::string(kNetBtInterfacesKey) + "\\Tcpip_" + instanceId;
}

HKEY createMachineKey(const std::string& path) { return createKey(HKEY_LOCAL_MACHINE, path); }

HKEY createKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool readText(HKEY key, const char* value, std::string& out, bool* present) {
    std::vector<char> data;
    DWORD type = 0;
    const bool found = readRaw(key, value, data, &type);
    if (present != nullptr) *present = found;
    out = found ? std::string(data.data()) : std::string();
    return found;
}

std::vector<std::string> readMultiText(HKEY key, const char* value) {
    std::vector<std::string> texts;
    std::vector<char> data;
    DWORD type = 0;
    if (!readRaw(key, value, data, &type)) return texts;
    for (size_t i = 0; i < data.size() && data[i] != '\0';) {
        const std::string text(data.data() + i);
        texts.push_back(text);
        i += text.size() + 1;
    }
    return texts;
}

bool writeText(HKEY key, const char* value, const std::string& text) {
    return RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool writeMultiText(HKEY key, const char* value, const std::vector<std::string>& texts) {
    std::string data;
    for (const std::string& text : texts) data += text + '\0';
    data += '\0';
    return RegSetValueExA(key, value, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()),
                          static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
}

bool writeNumber(HKEY key, const char* value, DWORD number) {
    return RegSetValueExA(key, value, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number) ==
           ERROR_SUCCESS;
}

bool writeDhcpAddress(HKEY key, const DhcpLease* lease) {
    const bool address = writeNumber(key, "EnableDHCP", 1) && writeMultiText(key, "IPAddress", {"0.0.0.0"}) &&
                         writeMultiText(key, "SubnetMask", {"0.0.0.0"}) && writeMultiText(key, "DefaultGateway", {});
    if (!address || lease == nullptr) return address;
    return writeText(key, "DhcpIPAddress", lease->address) && writeText(key, "DhcpSubnetMask", lease->mask) &&
           writeMultiText(key, "DhcpDefaultGateway", {lease->gateway}) &&
           writeText(key, "DhcpNameServer", lease->nameServers) && writeText(key, "DhcpServer", lease->server) &&
           writeText(key, "DhcpDomain", lease->domain);
}

bool moveToPlace(const SimPlace& place) {
    HKEY neighbours = createMachineKey(kSimNeighboursKey);
    HKEY cache = createMachineKey(kSimArpCacheKey);
    const bool ok = neighbours && cache && writeText(neighbours, place.gateway, place.mac) &&
                    writeText(cache, place.gateway, place.mac);
    for (HKEY key : {neighbours, cache})
        if (key) RegCloseKey(key);
    return ok;
}

bool silenceHost(const char* address) {
    bool gone = true;
    for (const char* path : {kSimNeighboursKey, kSimArpCacheKey}) {
        HKEY key;
        const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_SET_VALUE, &key);
        if (opened == ERROR_FILE_NOT_FOUND) continue;  // no key, no entry
        if (opened != ERROR_SUCCESS) {
            gone = false;
            continue;
        }
        const LONG deleted = RegDeleteValueA(key, address);
        gone = gone && (deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND);
        RegCloseKey(key);
    }
    return gone;
}

bool readNumber(HKEY key, const char* value, DWORD& out) {
    DWORD size = sizeof out;
    DWORD type = 0;
    return RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(&out), &size) == ERROR_SUCCESS &&
           type == REG_DWORD;
}

void deleteKeyTree(HKEY root, const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    for (;;) {
        char subkey[256];
        DWORD length = sizeof subkey;
        if (RegEnumKeyExA(key, 0, subkey, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        deleteKeyTree(root, path + "\\" + subkey);
        // A subkey that could not be deleted would make this loop endless.
        HKEY check;
        if (RegOpenKeyExA(key, subkey, 0, KEY_READ, &check) == ERROR_SUCCESS) {
            RegCloseKey(check);
            break;
        }
    }
    RegCloseKey(key);
    RegDeleteKeyA(root, path.c_str());
}

std::string environment(const char* name) {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void appendSimLog(const char* variable, const std::string& line) {
    const std::string path = environment(variable);
    if (path.empty()) return;
    HANDLE log = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(log);
}

std::string quadText(uint32_t address) {
    char text[16];
    formatDottedQuad(address, text);
    return text;
}
