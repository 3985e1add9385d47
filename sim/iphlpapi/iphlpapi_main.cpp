// A stand-in for Windows' iphlpapi.dll, for tests and the demo run only. Under Wine the
// real one answers from the Linux host (its ARP table), not from the simulated network.
// This one has the two functions the tool binds, answering as Windows 2000/XP do:
// GetIpNetTable lists the ARP cache kept in the registry (kSimArpCacheKey), SendARP asks
// the hosts that answer (kSimNeighboursKey) and, as Windows, leaves the table alone. sim/install puts it in
// system32 and lets only the project's own programs load it; a process holds one iphlpapi,
// so Wine's DLLs in those programs call this one too (GetAdaptersAddresses, at the end).
// Each call of the two appends a line to the file named by TESSALY_SIM_ARP_LOG; not
// netsh's log, whose whole text tests compare. TESSALY_SIM_ARP_WAIT_MS: how long a
// SendARP that gets no answer waits (default 3000).
#include <windows.h>

#include <iphlpapi.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/dotted_quad.h"
#include "sim_registry.h"

namespace {

constexpr DWORD kMacLength = 6;
constexpr size_t kMacTextLength = 17;  // "00-0D-0B-12-34-56"

void logCall(const std::string& call) { appendSimLog("TESSALY_SIM_ARP_LOG", "iphlpapi " + call); }

// Only "a.b.c.d" with four numbers up to 255 and nothing else: it prints back the same.
bool readAddress(const char* text, uint32_t& address) {
    address = parseDottedQuad(text);
    return quadText(address) == text;
}

// Windows passes an IPAddr as inet_addr gives it, the first number in the lowest byte;
// the simulation's addresses have it in the highest. The same swap goes both ways.
DWORD swapOrder(uint32_t address) {
    return (address >> 24) | ((address >> 8) & 0xFF00) | ((address << 8) & 0xFF0000) | (address << 24);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// "00-0D-0B-12-34-56" at the start of text. It stops at the first character that does not
// fit, so it never reads past the text's end.
bool readMac(const char* text, BYTE mac[kMacLength]) {
    for (DWORD i = 0; i < kMacLength; ++i) {
        const char* piece = text + 3 * i;
        const int high = hexValue(piece[0]);
        const int low = high < 0 ? -1 : hexValue(piece[1]);
        if (low < 0 || (i + 1 < kMacLength && piece[2] != '-')) return false;
        mac[i] = static_cast<BYTE>(high * 16 + low);
    }
    return true;
}

struct ArpEntry {
    uint32_t address;
    BYTE mac[kMacLength];
    DWORD type;
};

// A cache value: the hardware address, then nothing (dynamic), " static" or " invalid".
bool readCacheEntry(const char* name, const char* data, ArpEntry& entry) {
    if (!readAddress(name, entry.address) || !readMac(data, entry.mac)) return false;
    const char* word = data + kMacTextLength;
    if (*word == '\0') {
        entry.type = MIB_IPNET_TYPE_DYNAMIC;
    } else if (std::strcmp(word, " static") == 0) {
        entry.type = MIB_IPNET_TYPE_STATIC;
    } else if (std::strcmp(word, " invalid") == 0) {
        entry.type = MIB_IPNET_TYPE_INVALID;
    } else {
        return false;
    }
    return true;
}

// The cache in the registry's order; a value that cannot be read or is no entry is left out.
std::vector<ArpEntry> readArpCache() {
    std::vector<ArpEntry> entries;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSimArpCacheKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return entries;
    for (DWORD index = 0;; ++index) {
        char name[32];  // an address has 15 characters at most; a longer name is none
        char data[64];
        DWORD nameLength = sizeof name;
        DWORD dataSize = sizeof data - 1;  // room for a terminator the value may lack
        DWORD type = 0;
        const LONG read = RegEnumValueA(key, index, name, &nameLength, nullptr, &type,
                                        reinterpret_cast<BYTE*>(data), &dataSize);
        if (read == ERROR_NO_MORE_ITEMS) break;
        if (read != ERROR_SUCCESS || type != REG_SZ) continue;
        data[dataSize] = '\0';
        ArpEntry entry;
        if (readCacheEntry(name, data, entry)) entries.push_back(entry);
    }
    RegCloseKey(key);
    return entries;
}

// One connection's own addresses and masks. A DHCP connection's address is its lease; one
// without a lease (0.0.0.0) holds nothing.
struct Subnets {
    std::vector<uint32_t> addresses, masks;
};

Subnets subnetsOf(const SimConnection& connection) {
    Subnets subnets;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, interfaceKeyPath(connection.instanceId).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return subnets;
    DWORD dhcp = 0;
    readNumber(key, "EnableDHCP", dhcp);
    std::vector<std::string> addresses = readMultiText(key, "IPAddress");
    std::vector<std::string> masks = readMultiText(key, "SubnetMask");
    if (dhcp != 0) {
        addresses.assign(1, std::string());
        masks.assign(1, std::string());
        readText(key, "DhcpIPAddress", addresses[0]);
        readText(key, "DhcpSubnetMask", masks[0]);
    }
    RegCloseKey(key);
    for (size_t i = 0; i < addresses.size() && i < masks.size(); ++i) {
        subnets.addresses.push_back(parseDottedQuad(addresses[i].c_str()));
        subnets.masks.push_back(parseDottedQuad(masks[i].c_str()));
    }
    return subnets;
}

// The interface an entry is on: 2 + the position of the first connection whose subnet
// holds the address, else 1 (the loopback interface's index on Windows). The connections
// are read once for a whole table.
DWORD interfaceIndex(const std::vector<Subnets>& connections, uint32_t address) {
    for (size_t c = 0; c < connections.size(); ++c) {
        const Subnets& s = connections[c];
        for (size_t i = 0; i < s.addresses.size(); ++i)
            if (s.addresses[i] != 0 && (s.addresses[i] & s.masks[i]) == (address & s.masks[i]))
                return static_cast<DWORD>(2 + c);
    }
    return 1;
}

// The hardware address a neighbour answers with, and its text; false when the host does
// not answer (no value, or one that is no hardware address).
bool askNeighbour(const std::string& address, BYTE mac[kMacLength], std::string& text) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSimNeighboursKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    const bool answered = readText(key, address.c_str(), text) && text.size() == kMacTextLength &&
                          readMac(text.c_str(), mac);
    RegCloseKey(key);
    return answered;
}

}  // namespace

DWORD WINAPI GetIpNetTable(PMIB_IPNETTABLE pIpNetTable, PULONG pdwSize, BOOL bOrder) {
    logCall("GetIpNetTable");
    if (pdwSize == nullptr) return ERROR_INVALID_PARAMETER;
    std::vector<ArpEntry> entries = readArpCache();
    if (entries.empty()) return ERROR_NO_DATA;
    const ULONG needed = static_cast<ULONG>(offsetof(MIB_IPNETTABLE, table) + entries.size() * sizeof(MIB_IPNETROW));
    if (pIpNetTable == nullptr || *pdwSize < needed) {
        *pdwSize = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    if (bOrder)
        std::sort(entries.begin(), entries.end(),
                  [](const ArpEntry& a, const ArpEntry& b) { return a.address < b.address; });
    pIpNetTable->dwNumEntries = static_cast<DWORD>(entries.size());
    std::vector<Subnets> connections;
    for (const SimConnection& connection : listConnections()) connections.push_back(subnetsOf(connection));
    MIB_IPNETROW* rows = pIpNetTable->table;
    for (size_t i = 0; i < entries.size(); ++i) {
        ZeroMemory(&rows[i], sizeof rows[i]);
        rows[i].dwIndex = interfaceIndex(connections, entries[i].address);
        rows[i].dwPhysAddrLen = kMacLength;
        CopyMemory(rows[i].bPhysAddr, entries[i].mac, kMacLength);
        rows[i].dwAddr = swapOrder(entries[i].address);
        rows[i].dwType = entries[i].type;
    }
    return NO_ERROR;
}

// The simulated machine has one network, so the source address picks nothing.
DWORD WINAPI SendARP(IPAddr DestIP, IPAddr /*SrcIP*/, PVOID pMacAddr, PULONG PhyAddrLen) {
    const std::string address = quadText(swapOrder(DestIP));
    logCall("SendARP " + address);
    if (pMacAddr == nullptr || PhyAddrLen == nullptr) return ERROR_INVALID_PARAMETER;
    if (*PhyAddrLen == 0) return ERROR_INVALID_USER_BUFFER;
    BYTE mac[kMacLength];
    std::string text;
    if (askNeighbour(address, mac, text)) {
        CopyMemory(pMacAddr, mac, std::min<ULONG>(*PhyAddrLen, kMacLength));
        // Windows 2000 to Server 2003 do not add the answer to the ARP table.
        *PhyAddrLen = kMacLength;
        return NO_ERROR;
    }
    // No reply: Windows gives up only after its ARP requests have timed out.
    const std::string wait = environment("TESSALY_SIM_ARP_WAIT_MS");
    Sleep(wait.empty() ? 3000 : static_cast<DWORD>(std::strtoul(wait.c_str(), nullptr, 10)));
    *PhyAddrLen = 0;
    return ERROR_GEN_FAILURE;
}

// Wine's wininet asks for the adapters when the tool reads the proxy options (it looks
// for a configuration script address given by DHCP), and Wine ends the program if this
// module lacks the function. The simulated machine shows no adapters, as a Windows
// without any answers, so wininet finds no script address. The tool itself does not
// call it: no log line.
extern "C" ULONG WINAPI GetAdaptersAddresses(ULONG /*Family*/, ULONG /*Flags*/, PVOID /*Reserved*/,
                                             PVOID /*AdapterAddresses*/, PULONG SizePointer) {
    return SizePointer == nullptr ? ERROR_INVALID_PARAMETER : ERROR_NO_DATA;
}
