// A stand-in for Windows' iphlpapi.dll, for tests and the demo run only. Under Wine the
// real one answers from the Linux host (its ARP table), not from the simulated network.
// This one has the two functions the tool binds, answering as Windows 2000/XP do:
// GetIpNetTable lists the ARP cache kept in the registry (kSimArpCacheKey), SendARP asks
// the hosts that answer (kSimNeighboursKey) and caches the answer. sim/install puts it in
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

std::string environment(const char* name) {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void logCall(const std::string& call) {
    const std::string path = environment("TESSALY_SIM_ARP_LOG");
    if (path.empty()) return;
    HANDLE log = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    const std::string line = "iphlpapi " + call + "\r\n";
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
}

std::string quad(uint32_t address) {
    char text[16];
    formatDottedQuad(address, text);
    return text;
}

// Only "a.b.c.d" with four numbers up to 255 and nothing else: it prints back the same.
bool readAddress(const char* text, uint32_t& address) {
    address = parseDottedQuad(text);
    return quad(address) == text;
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

// True when one of the connection's own addresses has the address in its subnet. A
// DHCP connection's address is its lease; one without a lease (0.0.0.0) holds nothing.
bool onSubnetOf(const SimConnection& connection, uint32_t address) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, interfaceKeyPath(connection.instanceId).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return false;
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
        const uint32_t own = parseDottedQuad(addresses[i].c_str());
        const uint32_t mask = parseDottedQuad(masks[i].c_str());
        if (own != 0 && (own & mask) == (address & mask)) return true;
    }
    return false;
}

// The interface an entry is on: 2 + the position of the first connection whose subnet
// holds the address, else 1 (the loopback interface's index on Windows).
DWORD interfaceIndex(uint32_t address) {
    const std::vector<SimConnection> connections = listConnections();
    for (size_t i = 0; i < connections.size(); ++i)
        if (onSubnetOf(connections[i], address)) return static_cast<DWORD>(2 + i);
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

// An answer enters the cache as a dynamic entry, or refreshes the one there.
void cacheAnswer(const std::string& address, const std::string& mac) {
    HKEY cache = createMachineKey(kSimArpCacheKey);
    if (cache == nullptr) return;
    writeText(cache, address.c_str(), mac);
    RegCloseKey(cache);
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
    MIB_IPNETROW* rows = pIpNetTable->table;
    for (size_t i = 0; i < entries.size(); ++i) {
        ZeroMemory(&rows[i], sizeof rows[i]);
        rows[i].dwIndex = interfaceIndex(entries[i].address);
        rows[i].dwPhysAddrLen = kMacLength;
        CopyMemory(rows[i].bPhysAddr, entries[i].mac, kMacLength);
        rows[i].dwAddr = swapOrder(entries[i].address);
        rows[i].dwType = entries[i].type;
    }
    return NO_ERROR;
}

// The simulated machine has one network, so the source address picks nothing.
DWORD WINAPI SendARP(IPAddr DestIP, IPAddr /*SrcIP*/, PVOID pMacAddr, PULONG PhyAddrLen) {
    const std::string address = quad(swapOrder(DestIP));
    logCall("SendARP " + address);
    if (pMacAddr == nullptr || PhyAddrLen == nullptr) return ERROR_INVALID_PARAMETER;
    if (*PhyAddrLen == 0) return ERROR_INVALID_USER_BUFFER;
    BYTE mac[kMacLength];
    std::string text;
    if (askNeighbour(address, mac, text)) {
        CopyMemory(pMacAddr, mac, std::min<ULONG>(*PhyAddrLen, kMacLength));
        *PhyAddrLen = kMacLength;
        cacheAnswer(address, text);
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
