#include "network_now.h"

#include <cstring>
#include <new>

#include "../common/dotted_quad.h"
#include "../common/late_binding.h"
#include "../common/profile_text.h"
#include "connection_keys.h"
#include "registry_places.h"

namespace {

// The first address of a value (a text or a multi-string), read into `value`; 0 when
// missing.
uint32_t firstAddress(RegKey& key, RegistryValue& value, const char* name) {
    return value.read(key, name) ? parseDottedQuad(value.data()) : 0;
}

void readConnection(const char* instanceId, ConnectionNow* out) {
    RegKey key;
    RegistryValue value;
    if (!openConnectionKey(key, kInterfaceKeyPrefix, instanceId)) return;
    DWORD flag = 1;  // missing counts as DHCP, as discovery reads it
    if (value.read(key, "EnableDHCP") && value.size() <= sizeof flag) {
        flag = 0;
        std::memcpy(&flag, value.data(), value.size());
    }
    out->dhcp = flag == 1;
    out->address = firstAddress(key, value, out->dhcp ? "DhcpIPAddress" : "IPAddress");
    out->gateway = out->dhcp ? firstAddress(key, value, "DhcpDefaultGateway") : 0;
    if (out->gateway == 0) out->gateway = firstAddress(key, value, "DefaultGateway");
    if (out->dhcp) {
        out->dhcpServer = firstAddress(key, value, "DhcpServer");
        // 255.255.255.255 while no lease is held.
        if (out->dhcpServer == 0xFFFFFFFF) out->dhcpServer = 0;
        if (value.read(key, "DhcpDomain")) copyTextCut(out->dhcpDomain, sizeof out->dhcpDomain, value.data());
    }
    key.close();
}

// The ARP table, new[]; null when iphlpapi or the table cannot be had. One call for a table
// of up to 32 entries; a larger one is asked for again in the size it needs, with room for
// a few entries added in between.
MIB_IPNETTABLE* readArpTable() {
    const auto getTable = late::GetIpNetTable();
    ULONG size = sizeof(DWORD) + 32 * sizeof(MIB_IPNETROW);
    for (int attempt = 0; getTable != nullptr && attempt < 2; ++attempt) {
        MIB_IPNETTABLE* table = reinterpret_cast<MIB_IPNETTABLE*>(new (std::nothrow) char[size]);
        if (table == nullptr) return nullptr;
        ULONG given = size;
        const DWORD read = getTable(table, &given, FALSE);
        if (read == NO_ERROR && table->dwNumEntries <= (size - sizeof(DWORD)) / sizeof(MIB_IPNETROW)) return table;
        delete[] reinterpret_cast<char*>(table);
        if (read != ERROR_INSUFFICIENT_BUFFER) return nullptr;
        size = given + 8 * sizeof(MIB_IPNETROW);
    }
    return nullptr;
}

// An address as iphlpapi keeps it (the first dotted part in the lowest byte), from ours.
DWORD networkOrder(uint32_t address) { return __builtin_bswap32(address); }

// Each connection's gateway looked up in the table: an entry the table marks invalid
// (one that did not answer) or that is no Ethernet address is no answer. A gateway missing
// from it keeps what answered for it before: Windows drops an entry unused for a few
// minutes, and SendARP's answer never enters the table.
void fillHardware(NetworkNow* now, const MIB_IPNETTABLE* table) {
    for (int i = 0; i < now->count; ++i) {
        ConnectionNow& c = now->connections[i];
        for (DWORD e = 0; table != nullptr && e < table->dwNumEntries; ++e) {
            const MIB_IPNETROW& row = table->table[e];
            if (c.gateway == 0 || row.dwAddr != networkOrder(c.gateway) || row.dwPhysAddrLen != 6 ||
                (row.dwType != MIB_IPNET_TYPE_DYNAMIC && row.dwType != MIB_IPNET_TYPE_STATIC))
                continue;
            std::memcpy(c.hardware.bytes, row.bPhysAddr, 6);
            c.hardware.known = 1;
        }
    }
}

// The ARP requests of one reading, on a thread of their own: SendARP waits seconds for a
// host that does not answer. The reader and the thread share the record; the last to let
// go frees it.
struct ArpRequests {
    NetworkNow network;  // the thread's own copy; hardware addresses filled as answers come
    volatile LONG owners;
};

void letGo(ArpRequests* requests) {
    if (InterlockedDecrement(&requests->owners) == 0) delete requests;
}

DWORD WINAPI askAll(void* parameter) {
    ArpRequests* requests = static_cast<ArpRequests*>(parameter);
    const auto sendArp = late::SendARP();
    for (int i = 0; sendArp != nullptr && i < requests->network.count; ++i) {
        ConnectionNow& c = requests->network.connections[i];
        ULONG bytes[2] = {0, 0};
        ULONG length = 6;
        if (c.gateway == 0 || c.hardware.known || !isNetworkAddress(c.address)) continue;
        if (sendArp(networkOrder(c.gateway), 0, bytes, &length) != NO_ERROR || length != 6) continue;
        std::memcpy(c.hardware.bytes, bytes, 6);
        c.hardware.known = 1;
    }
    letGo(requests);
    return 0;
}

// Asks for every gateway the table did not answer for, and takes the answers that came
// within waitMs.
void askMissing(NetworkNow* now, unsigned waitMs) {
    ArpRequests* requests = new (std::nothrow) ArpRequests{*now, 2};
    HANDLE thread = requests != nullptr ? CreateThread(nullptr, 0, askAll, requests, 0, nullptr) : nullptr;
    if (thread == nullptr) {
        delete requests;
        return;
    }
    if (WaitForSingleObject(thread, waitMs) == WAIT_OBJECT_0) *now = requests->network;
    CloseHandle(thread);
    letGo(requests);
}

}  // namespace

int readNetworkNow(NetworkNow* out, unsigned waitMs) {
    std::memset(out, 0, sizeof *out);
    ConnectionWalk walk;
    if (!walk.open()) return 0;
    while (out->count < kMaxPlaceConnections && walk.next()) readConnection(walk.instanceId, &out->connections[out->count++]);
    refreshGatewayHardware(out);
    if (waitMs > 0) askMissing(out, waitMs);
    return 1;
}

void refreshGatewayHardware(NetworkNow* now) {
    MIB_IPNETTABLE* table = readArpTable();
    fillHardware(now, table);
    delete[] reinterpret_cast<char*>(table);
}
