// Adapter discovery: the network connections and their TCP/IP settings, read from the
// registry into an adapter list (the catalogue's). Three areas under HKEY_LOCAL_MACHINE are
// joined by the adapter's instance id: the network class key (connections and names),
// the device class key (driver descriptions) and the TCP/IP interface keys.
#include <cstring>
#include <new>

#include "discovery.h"

#include "../common/dotted_quad.h"
#include "reg_key.h"
#include "registry_places.h"

namespace {

constexpr char kUnknownText[] = "unknown";
constexpr char kNoAddressText[] = "0.0.0.0";

char* copyText(const char* text) {
    const size_t length = std::strlen(text);
    char* copy = new (std::nothrow) char[length + 1];
    if (copy != nullptr) std::memcpy(copy, text, length + 1);
    return copy;
}

// A value read whole as text into a new buffer one byte larger than its reported
// size, so data stored without a terminator still ends in one. Null when missing.
char* readTextValue(RegKey& key, const char* name, const char* fallback) {
    DWORD type = 0;
    DWORD size = 0;
    if (!key.queryValueInfo(name, &type, &size)) return nullptr;
    char* text = new (std::nothrow) char[size + 1];
    if (text == nullptr) return nullptr;
    text[0] = '\0';
    key.readString(name, text, size, fallback);
    text[size] = '\0';
    return text;
}

uint32_t readAddressValue(RegKey& key, const char* name) {
    char* text = readTextValue(key, name, kNoAddressText);
    if (text == nullptr) return 0;
    const uint32_t address = parseDottedQuad(text);
    delete[] text;
    return address;
}

// Name and path buffers for walking a key's subkeys, sized from its longest name.
struct SubkeyWalk {
    char* name = nullptr;
    DWORD capacity = 0;

    bool prepare(RegKey& key, DWORD extra) {
        RegKeyInfo info;
        if (!key.queryInfo(&info)) return false;
        capacity = info.maxSubKeyNameLength + 1;
        name = new (std::nothrow) char[info.maxSubKeyNameLength + extra];
        return name != nullptr;
    }
    bool next(RegKey& key, DWORD index) {
        DWORD length = capacity;
        if (!key.enumSubKey(index, name, &length)) return false;
        name[capacity - 1] = '\0';  // a name that grew meanwhile is cut, never unterminated
        return true;
    }
    ~SubkeyWalk() { delete[] name; }
};

// One pass over the device class key: every entry whose NetCfgInstanceId equals one of
// the ids (whole text, letter case significant) gives that id its DriverDesc. Every
// entry is visited, so of two with the same id the later description wins.
int readDriverDescriptions(const char* const* ids, char** const* descriptions, int count) {
    RegKey classKey;
    classKey.root = HKEY_LOCAL_MACHINE;
    if (!classKey.open(kDeviceClassKey)) return 0;
    SubkeyWalk walk;
    if (!walk.prepare(classKey, 10)) {
        classKey.close();
        return 0;
    }
    for (DWORD index = 0; walk.next(classKey, index); ++index) {
        RegKey entry;
        entry.root = classKey.key;
        if (!entry.open(walk.name)) continue;
        char* id = readTextValue(entry, "NetCfgInstanceId", kUnknownText);
        for (int i = 0; id != nullptr && i < count; ++i) {
            if (ids[i] == nullptr || std::strcmp(id, ids[i]) != 0) continue;
            char* text = readTextValue(entry, "DriverDesc", kUnknownText);
            if (text != nullptr) {
                delete[] *descriptions[i];
                *descriptions[i] = text;
            }
        }
        delete[] id;
        entry.close();
    }
    classKey.close();
    return 1;
}

}  // namespace

void resetAdapterSlot(AdapterInfo& slot) {
    slot.connectionName = nullptr;
    slot.instanceId = nullptr;
    slot.description = nullptr;
    slot.addressAuto = 1;
    slot.address = 0;
    slot.subnetMask = 0;
    slot.gateway = 0;
    slot.dnsAuto = 1;
    slot.preferredDns = 0;
    slot.alternateDns = 0;
}

int releaseAdapterList(AdapterList& adapters) {
    for (int i = 0; i < kMaxAdapters; ++i) {
        AdapterInfo& slot = adapters.slots[i];
        delete[] slot.connectionName;
        delete[] slot.instanceId;
        delete[] slot.description;
        resetAdapterSlot(slot);
    }
    adapters.adapterCount = 0;
    return 1;
}

int adapterSlotAt(const AdapterList& adapters, int index, AdapterInfo* out) {
    if (out == nullptr || index < 0 || index >= kMaxAdapters) return 0;
    *out = adapters.slots[index];
    return 1;
}

int readAdapterDescription(const char* instanceId, char** description) {
    if (instanceId == nullptr || description == nullptr) return 0;
    const char* ids[1] = {instanceId};
    return readDriverDescriptions(ids, &description, 1);
}

int readAllAdapterDescriptions(AdapterList& adapters) {
    const char* ids[kMaxAdapters];
    char** descriptions[kMaxAdapters];
    for (int i = 0; i < adapters.adapterCount; ++i) {
        ids[i] = adapters.slots[i].instanceId;
        descriptions[i] = &adapters.slots[i].description;
    }
    return readDriverDescriptions(ids, descriptions, adapters.adapterCount);
}

int readAdapterTcpIp(const char* instanceId, AdapterInfo* settings) {
    if (instanceId == nullptr || settings == nullptr) return 0;
    const size_t pathSize = std::strlen(instanceId) + sizeof kInterfaceKeyPrefix;
    char* path = new (std::nothrow) char[pathSize];
    if (path == nullptr) return 0;
    std::memcpy(path, kInterfaceKeyPrefix, sizeof kInterfaceKeyPrefix);
    std::strcat(path, instanceId);
    RegKey key;
    key.root = HKEY_LOCAL_MACHINE;
    const bool opened = key.open(path);
    delete[] path;
    if (!opened) return 0;

    DWORD type = 0;
    DWORD size = 0;
    if (!key.queryValueInfo("EnableDHCP", &type, &size) || key.readDword("EnableDHCP", 0) == 1) {
        settings->addressAuto = 1;
        settings->address = settings->subnetMask = settings->gateway = 0;
    } else {
        // For a multi-string only the first string, the first address, counts.
        settings->addressAuto = 0;
        settings->address = readAddressValue(key, "IPAddress");
        settings->subnetMask = readAddressValue(key, "SubnetMask");
        settings->gateway = readAddressValue(key, "DefaultGateway");
    }

    // A NameServer that names no server (Windows keeps "" on an interface whose DNS comes
    // from DHCP), or none at all: DNS comes the way the address does, so a fixed address
    // never shows automatic DNS it cannot have.
    char first[kDnsPieceSize];
    char second[kDnsPieceSize];
    char* servers = readTextValue(key, "NameServer", kNoAddressText);
    splitNameServers(servers, first, second);
    delete[] servers;
    settings->dnsAuto = first[0] == '\0' ? settings->addressAuto : 0;
    settings->preferredDns = parseDottedQuad(first);
    settings->alternateDns = parseDottedQuad(second);
    key.close();
    return 1;
}

int discoverAdapters(AdapterList& adapters, DescriptionScan scan) {
    if (adapters.adapterCount != 0) return 0;
    RegKey classKey;
    classKey.root = HKEY_LOCAL_MACHINE;
    if (!classKey.open(kNetworkClassKey)) return 0;
    SubkeyWalk walk;
    if (!walk.prepare(classKey, 15)) {
        classKey.close();
        return 0;
    }
    char* connectionPath = new (std::nothrow) char[walk.capacity + 15];
    if (connectionPath == nullptr) {
        classKey.close();
        return 0;
    }
    for (DWORD index = 0; adapters.adapterCount < kMaxAdapters && walk.next(classKey, index); ++index) {
        std::strcpy(connectionPath, walk.name);
        std::strcat(connectionPath, "\\Connection");
        RegKey connection;
        connection.root = classKey.key;
        if (!connection.open(connectionPath)) continue;
        char* name = readTextValue(connection, "Name", kUnknownText);
        connection.close();
        if (name == nullptr) continue;  // a subkey that is no connection

        AdapterInfo& slot = adapters.slots[adapters.adapterCount];
        slot.instanceId = copyText(walk.name);
        slot.connectionName = name;
        if (slot.instanceId != nullptr) {
            if (scan == DescriptionScan::PerConnection) readAdapterDescription(slot.instanceId, &slot.description);
            readAdapterTcpIp(slot.instanceId, &slot);
        }
        ++adapters.adapterCount;
    }
    delete[] connectionPath;
    classKey.close();
    if (scan == DescriptionScan::Once) readAllAdapterDescriptions(adapters);
    return 1;
}
