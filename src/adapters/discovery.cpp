// Adapter discovery: the network connections and their TCP/IP settings, read from the
// registry into an adapter list (the catalogue's). Three areas under HKEY_LOCAL_MACHINE are
// joined by the adapter's instance id: the network class key (connections and names),
// the device class key (driver descriptions) and the TCP/IP interface keys.
#include <cstring>
#include <new>

#include "discovery.h"

#include "../common/dotted_quad.h"
#include "connection_keys.h"
#include "registry_places.h"

namespace {

char* copyText(const char* text) {
    const size_t length = std::strlen(text);
    char* copy = new (std::nothrow) char[length + 1];
    if (copy != nullptr) std::memcpy(copy, text, length + 1);
    return copy;
}

// One pass over the device class key: every entry whose NetCfgInstanceId equals one of
// the ids (whole text, letter case significant) gives that id its DriverDesc. Every
// entry is visited, so of two with the same id the later description wins.
int readDriverDescriptions(const char* const* ids, char** const* descriptions, int count) {
    RegKey classKey;
    classKey.root = HKEY_LOCAL_MACHINE;
    if (!classKey.open(kDeviceClassKey)) return 0;
    char entryName[kKeyNameSize];
    RegistryValue id, description;
    for (DWORD index = 0; classKey.subKeyName(index, entryName); ++index) {
        RegKey entry;
        entry.root = classKey.key;
        if (!entry.open(entryName)) continue;
        const bool identified = id.read(entry, "NetCfgInstanceId");
        for (int i = 0; identified && i < count; ++i) {
            if (ids[i] == nullptr || std::strcmp(id.data(), ids[i]) != 0) continue;
            char* text = description.read(entry, "DriverDesc") ? copyText(description.data()) : nullptr;
            if (text != nullptr) {
                delete[] *descriptions[i];
                *descriptions[i] = text;
            }
        }
        entry.close();
    }
    classKey.close();
    return 1;
}

// The driver description of an instance id, replacing *description on a match.
int readAdapterDescription(const char* instanceId, char** description) {
    const char* ids[1] = {instanceId};
    return readDriverDescriptions(ids, &description, 1);
}

// Every driver entry's description for the listed connections, in one pass over the
// device class key; of two entries with the same id the later one wins.
int readAllAdapterDescriptions(AdapterList& adapters) {
    const char* ids[kMaxAdapters];
    char** descriptions[kMaxAdapters];
    for (int i = 0; i < adapters.adapterCount; ++i) {
        ids[i] = adapters.slots[i].instanceId;
        descriptions[i] = &adapters.slots[i].description;
    }
    return readDriverDescriptions(ids, descriptions, adapters.adapterCount);
}

// The TCP/IP fields of a slot from the adapter's interface key; the slot stays as it is
// when the key cannot be opened.
void readAdapterTcpIp(const char* instanceId, AdapterInfo* settings) {
    InterfaceValues values;
    if (!readInterfaceValues(instanceId, &values)) return;
    // A missing EnableDHCP counts as DHCP; one longer than a DWORD, as a fixed address.
    if (values.enableDhcp == DhcpFlag::Missing || values.enableDhcp == DhcpFlag::On) {
        settings->addressAuto = 1;
        settings->address = settings->subnetMask = settings->gateway = 0;
    } else {
        // For a multi-string only the first string, the first address, counts.
        settings->addressAuto = 0;
        settings->address = parseDottedQuad(values.ipAddress.data());
        settings->subnetMask = parseDottedQuad(values.subnetMask.data());
        settings->gateway = parseDottedQuad(values.defaultGateway.data());
    }

    // A NameServer that names no server (Windows keeps "" on an interface whose DNS comes
    // from DHCP), or none at all: DNS comes the way the address does, so a fixed address
    // never shows automatic DNS it cannot have.
    char first[kDnsPieceSize];
    char second[kDnsPieceSize];
    splitNameServers(values.nameServer.data(), first, second);
    settings->dnsAuto = first[0] == '\0' ? settings->addressAuto : 0;
    settings->preferredDns = parseDottedQuad(first);
    settings->alternateDns = parseDottedQuad(second);
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

int discoverAdapters(AdapterList& adapters, DescriptionScan scan) {
    if (adapters.adapterCount != 0) return 0;
    ConnectionWalk walk;
    if (!walk.open()) return 0;
    while (adapters.adapterCount < kMaxAdapters && walk.next()) {
        char* name = copyText(walk.name());
        if (name == nullptr) continue;
        AdapterInfo& slot = adapters.slots[adapters.adapterCount];
        slot.instanceId = copyText(walk.instanceId);
        slot.connectionName = name;
        if (slot.instanceId != nullptr) {
            if (scan == DescriptionScan::PerConnection) readAdapterDescription(slot.instanceId, &slot.description);
            readAdapterTcpIp(slot.instanceId, &slot);
        }
        ++adapters.adapterCount;
    }
    if (scan == DescriptionScan::Once) readAllAdapterDescriptions(adapters);
    return 1;
}
