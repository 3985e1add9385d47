#include "network_now.h"

#include <cstring>
#include <new>

#include "../common/dotted_quad.h"
#include "../common/late_binding.h"
#include "../common/profile_text.h"
#include "connection_keys.h"
#include "registry_places.h"

namespace {

// The first address of a value (a text or a multi-string); 0 when missing.
uint32_t firstAddress(RegKey& key, const char* name) {
    RegistryValue value;
    return value.read(key, name) ? parseDottedQuad(value.data()) : 0;
}

void readConnection(const char* instanceId, ConnectionNow* out) {
    RegKey key;
    if (!openConnectionKey(key, kInterfaceKeyPrefix, instanceId)) return;
    RegistryValue dhcp;
    DWORD flag = 1;  // missing counts as DHCP, as discovery reads it
    if (dhcp.read(key, "EnableDHCP") && dhcp.size() <= sizeof flag) {
        flag = 0;
        std::memcpy(&flag, dhcp.data(), dhcp.size());
    }
    out->dhcp = flag == 1;
    out->address = firstAddress(key, out->dhcp ? "DhcpIPAddress" : "IPAddress");
    out->gateway = out->dhcp ? firstAddress(key, "DhcpDefaultGateway") : 0;
    if (out->gateway == 0) out->gateway = firstAddress(key, "DefaultGateway");
    if (out->dhcp) {
        out->dhcpServer = firstAddress(key, "DhcpServer");
        RegistryValue domain;
        if (domain.read(key, "DhcpDomain")) copyTextCut(out->dhcpDomain, sizeof out->dhcpDomain, domain.data());
    }
    key.close();
}

// The ARP table, new[]; null when iphlpapi or the table cannot be had.
MIB_IPNETTABLE* readArpTable() {
    const auto getTable = late::GetIpNetTable();
    if (getTable == nullptr) return nullptr;
    ULONG size = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (getTable(nullptr, &size, FALSE) != ERROR_INSUFFICIENT_BUFFER || size < sizeof(MIB_IPNETTABLE)) return nullptr;
        size += 4 * sizeof(MIB_IPNETROW);  // room for entries added in between
        MIB_IPNETTABLE* table = reinterpret_cast<MIB_IPNETTABLE*>(new (std::nothrow) char[size]);
        ULONG given = size;
        if (table != nullptr && getTable(table, &given, FALSE) == NO_ERROR &&
            table->dwNumEntries <= (size - offsetof(MIB_IPNETTABLE, table)) / sizeof(MIB_IPNETROW))
            return table;
        delete[] reinterpret_cast<char*>(table);
        if (table == nullptr) return nullptr;
    }
    return nullptr;
}

uint32_t packed(DWORD networkOrder) {
    const uint8_t* b = reinterpret_cast<const uint8_t*>(&networkOrder);
    return (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
}

DWORD networkOrder(uint32_t address) {
    const uint8_t b[4] = {static_cast<uint8_t>(address >> 24), static_cast<uint8_t>(address >> 16),
                          static_cast<uint8_t>(address >> 8), static_cast<uint8_t>(address)};
    DWORD out;
    std::memcpy(&out, b, sizeof out);
    return out;
}

// Each connection's gateway looked up in the table: an entry the table marks invalid
// (one that did not answer) or that is no Ethernet address is no answer.
void fillHardware(NetworkNow* now, const MIB_IPNETTABLE* table) {
    for (int i = 0; i < now->count; ++i) {
        ConnectionNow& c = now->connections[i];
        c.hardware = {};
        for (DWORD e = 0; table != nullptr && e < table->dwNumEntries; ++e) {
            const MIB_IPNETROW& row = table->table[e];
            if (c.gateway == 0 || packed(row.dwAddr) != c.gateway || row.dwPhysAddrLen != 6 ||
                (row.dwType != MIB_IPNET_TYPE_DYNAMIC && row.dwType != MIB_IPNET_TYPE_STATIC))
                continue;
            std::memcpy(c.hardware.bytes, row.bPhysAddr, 6);
            c.hardware.known = 1;
        }
    }
}

// One ARP request on a thread of its own: SendARP waits seconds for a host that does not
// answer. The asker and the thread share the record; the last to let go frees it.
struct ArpRequest {
    uint32_t address;
    HardwareAddress hardware;
    volatile LONG owners;
};

void letGo(ArpRequest* request) {
    if (InterlockedDecrement(&request->owners) == 0) delete request;
}

DWORD WINAPI askOne(void* parameter) {
    ArpRequest* request = static_cast<ArpRequest*>(parameter);
    const auto sendArp = late::SendARP();
    ULONG bytes[2] = {0, 0};
    ULONG length = 6;
    if (sendArp != nullptr && sendArp(networkOrder(request->address), 0, bytes, &length) == NO_ERROR && length == 6) {
        std::memcpy(request->hardware.bytes, bytes, 6);
        request->hardware.known = 1;
    }
    letGo(request);
    return 0;
}

// Asks for every gateway of a connection on a network that the table did not answer for,
// and takes the answers that came within waitMs.
void askMissing(NetworkNow* now, unsigned waitMs) {
    // Asked in the background at most every half minute: a host that never answers would
    // otherwise hold a thread for each reading.
    static DWORD lastBackgroundAsk = 0;
    if (waitMs == 0 && lastBackgroundAsk != 0 && GetTickCount() - lastBackgroundAsk < 30000) return;
    if (waitMs == 0) lastBackgroundAsk = GetTickCount() | 1;
    ArpRequest* requests[kMaxPlaceGateways] = {};
    HANDLE threads[kMaxPlaceGateways] = {};
    int asked = 0;
    for (int i = 0; i < now->count && asked < kMaxPlaceGateways; ++i) {
        const ConnectionNow& c = now->connections[i];
        if (c.gateway == 0 || c.hardware.known || !isNetworkAddress(c.address)) continue;
        ArpRequest* request = new (std::nothrow) ArpRequest{c.gateway, {}, 2};
        HANDLE thread = request != nullptr ? CreateThread(nullptr, 0, askOne, request, 0, nullptr) : nullptr;
        if (thread == nullptr) {
            delete request;
            continue;
        }
        requests[asked] = request;
        threads[asked++] = thread;
    }
    if (asked > 0 && waitMs > 0) WaitForMultipleObjects(asked, threads, TRUE, waitMs);
    for (int r = 0; r < asked; ++r) {
        if (waitMs > 0 && WaitForSingleObject(threads[r], 0) == WAIT_OBJECT_0 && requests[r]->hardware.known) {
            for (int i = 0; i < now->count; ++i)
                if (now->connections[i].gateway == requests[r]->address) now->connections[i].hardware = requests[r]->hardware;
        }
        CloseHandle(threads[r]);
        letGo(requests[r]);
    }
}

}  // namespace

int readNetworkNow(NetworkNow* out, unsigned waitMs) {
    std::memset(out, 0, sizeof *out);
    ConnectionWalk walk;
    if (!walk.open()) return 0;
    while (out->count < kMaxPlaceConnections && walk.next()) readConnection(walk.instanceId, &out->connections[out->count++]);
    refreshGatewayHardware(out);
    askMissing(out, waitMs);
    return 1;
}

void refreshGatewayHardware(NetworkNow* now) {
    MIB_IPNETTABLE* table = readArpTable();
    fillHardware(now, table);
    delete[] reinterpret_cast<char*>(table);
}
