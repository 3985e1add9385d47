#include "settings_readback.h"

#include <cstring>
#include <new>

#include "../netcmd/settings_report.h"
#include "reg_key.h"
#include "registry_places.h"

namespace {

constexpr char kNetBtKeyPrefix[] = "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces\\Tcpip_";
constexpr DWORD kMaxScriptBytes = 1024 * 1024;
// Registry key names are at most 255 characters.
constexpr DWORD kKeyNameSize = 256;

// A value's whole data with two terminators added, in `small` when it fits, else in a
// new[] buffer that *allocated owns. Null when missing.
char* readWholeValue(RegKey& key, const char* name, char (&small)[512], DWORD* size, char** allocated) {
    *allocated = nullptr;
    *size = sizeof small - 2;
    if (key.readBytes(name, small, size)) {
        small[*size] = small[*size + 1] = '\0';
        return small;
    }
    for (int attempt = 0; attempt < 2 && *size > sizeof small - 2; ++attempt) {
        delete[] *allocated;
        *allocated = new (std::nothrow) char[*size + 2];
        if (*allocated == nullptr) return nullptr;
        if (key.readBytes(name, *allocated, size)) {
            (*allocated)[*size] = (*allocated)[*size + 1] = '\0';
            return *allocated;
        }
    }
    return nullptr;  // missing, or still growing
}

void readList(RegKey& key, const char* name, AddressList* list) {
    char small[512];
    char* allocated = nullptr;
    DWORD size = 0;
    const char* data = readWholeValue(key, name, small, &size, &allocated);
    parseAddressList(data, data != nullptr ? size : 0, list);
    delete[] allocated;
}

// Opens prefix + instanceId under HKEY_LOCAL_MACHINE.
bool openUnder(RegKey& key, const char* prefix, const char* instanceId) {
    char path[sizeof kNetBtKeyPrefix + kKeyNameSize];
    if (std::strlen(prefix) + std::strlen(instanceId) >= sizeof path) return false;
    std::strcpy(path, prefix);
    std::strcat(path, instanceId);
    key.root = HKEY_LOCAL_MACHINE;
    return key.open(path);
}

// One connection's settings. An empty server list reads as DHCP on a DHCP connection
// and as fixed servers "none" on a fixed one.
bool readConnection(const char* instanceId, ConnectionSettings* held) {
    RegKey tcpip;
    if (!openUnder(tcpip, kInterfaceKeyPrefix, instanceId)) return false;
    // A missing EnableDHCP counts as DHCP, as discovery reads it.
    const bool dhcp = tcpip.readDword("EnableDHCP", 1) == 1;
    const SettingSource unlisted = dhcp ? SettingSource::Dhcp : SettingSource::Static;
    held->addressSource = unlisted;
    readList(tcpip, "IPAddress", &held->addresses);
    readList(tcpip, "SubnetMask", &held->masks);
    readList(tcpip, "DefaultGateway", &held->gateways);
    readList(tcpip, "NameServer", &held->dns);
    held->dnsSource = held->dns.count != 0 ? SettingSource::Static : unlisted;
    tcpip.close();
    RegKey netBt;
    if (openUnder(netBt, kNetBtKeyPrefix, instanceId)) {
        readList(netBt, "NameServerList", &held->wins);
        netBt.close();
    }
    held->winsSource = held->wins.count != 0 ? SettingSource::Static : unlisted;
    return true;
}

// Doubles the room for connections; 0 when memory is short.
int growMachineSettings(MachineSettings* settings) {
    const int grown = settings->capacity == 0 ? 8 : settings->capacity * 2;
    HeldConnection* larger = new (std::nothrow) HeldConnection[grown];
    if (larger == nullptr) return 0;
    for (int i = 0; i < settings->count; ++i) larger[i] = settings->items[i];
    delete[] settings->items;
    settings->items = larger;
    settings->capacity = grown;
    return 1;
}

}  // namespace

int readMachineSettings(MachineSettings* out) {
    releaseMachineSettings(out);
    RegKey classKey;
    classKey.root = HKEY_LOCAL_MACHINE;
    if (!classKey.open(kNetworkClassKey)) return 0;
    int whole = 1;
    char instanceId[kKeyNameSize];
    for (DWORD index = 0; whole; ++index) {
        DWORD length = sizeof instanceId;
        if (!classKey.enumSubKey(index, instanceId, &length)) break;
        instanceId[sizeof instanceId - 1] = '\0';
        char path[kKeyNameSize + 16];
        std::strcpy(path, instanceId);
        std::strcat(path, "\\Connection");
        RegKey connection;
        connection.root = classKey.key;
        if (!connection.open(path)) continue;
        char small[512];
        char* allocated = nullptr;
        DWORD size = 0;
        const char* name = readWholeValue(connection, "Name", small, &size, &allocated);
        connection.close();
        // A name longer than any script may give is no connection a profile names.
        const bool named = name != nullptr && std::strlen(name) < kScriptNameSize;
        if (named && out->count == out->capacity && !growMachineSettings(out)) whole = 0;
        if (named && whole) {
            HeldConnection& held = out->items[out->count++];
            resetConnectionSettings(&held.settings, name);
            held.readable = readConnection(instanceId, &held.settings);
        }
        delete[] allocated;
    }
    classKey.close();
    out->whole = whole;
    return whole;
}

void releaseMachineSettings(MachineSettings* settings) {
    delete[] settings->items;
    *settings = MachineSettings();
}

int pickHeldSettings(const ScriptSettings& asked, const MachineSettings& machine, ScriptSettings* held) {
    held->connectionCount = asked.connectionCount;
    held->unreadLines = 0;
    int readable = machine.whole;
    for (int i = 0; i < asked.connectionCount; ++i) {
        ConnectionSettings& connection = held->connections[i];
        resetConnectionSettings(&connection, asked.connections[i].name);
        connection.present = 0;
        for (int m = 0; m < machine.count; ++m) {
            // netsh ignores letter case too
            if (lstrcmpiA(machine.items[m].settings.name, asked.connections[i].name) != 0) continue;
            // Two of that name (an adapter removed long ago may keep its entry): which one
            // netsh changes cannot be told from here.
            if (connection.present || !machine.items[m].readable) readable = 0;
            if (!connection.present) connection = machine.items[m].settings;
        }
    }
    return readable;
}

int readHeldSettings(const ScriptSettings& asked, ScriptSettings* held) {
    MachineSettings machine;
    readMachineSettings(&machine);
    const int readable = pickHeldSettings(asked, machine, held);
    releaseMachineSettings(&machine);
    return readable;
}

int userHasPrinter(const char* name) {
    RegKey printers;
    printers.root = HKEY_CURRENT_USER;
    DWORD type = 0, size = 0;
    const int listed = name != nullptr && name[0] != '\0' && printers.open(kUserPrintersKey) &&
                       printers.queryValueInfo(name, &type, &size);
    printers.close();
    return listed;
}

int readScriptSettings(const char* path, ScriptSettings* out, HANDLE* heldOpen) {
    readNetshScript(nullptr, 0, out);
    if (heldOpen != nullptr) *heldOpen = INVALID_HANDLE_VALUE;
    if (path == nullptr) return 0;
    // Shared for reading only: while the handle is open nobody can change the script. A
    // script just dumped may still be open in the process that inherited it with netsh (the
    // platform's console helper) for a moment: it is tried again for up to half a second.
    // Should the path name a pipe after all, its server may only identify this process,
    // never act as it.
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 20; ++attempt, Sleep(25)) {
        file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_SHARING_VIOLATION) break;
    }
    if (file == INVALID_HANDLE_VALUE) return 0;
    const DWORD size = GetFileSize(file, nullptr);
    char* text = size != INVALID_FILE_SIZE && size <= kMaxScriptBytes ? new (std::nothrow) char[size + 1] : nullptr;
    DWORD read = 0;
    const int whole = text != nullptr && ReadFile(file, text, size, &read, nullptr) && read == size;
    if (whole) readNetshScript(text, size, out);
    delete[] text;
    if (whole && heldOpen != nullptr)
        *heldOpen = file;
    else
        CloseHandle(file);
    return whole;
}

int verifyApplied(const ScriptSettings& asked, int exitCodesOk, const char* failureText, char** report,
                  const ExtraOutcomes* extras) {
    *report = nullptr;
    ScriptSettings* held = new (std::nothrow) ScriptSettings;
    const int networkRead = held != nullptr && asked.connectionCount > 0 && readHeldSettings(asked, held);
    int applied = networkRead ? countDifferences(asked, *held) == 0 : exitCodesOk;
    const int extrasDiffer = extras != nullptr && countExtraDifferences(*extras) != 0;
    if (((networkRead && !applied) || extrasDiffer) && held != nullptr) {
        // Only what was read back is compared; otherwise the report is the extras' alone.
        if (!networkRead) held->connectionCount = 0;
        composeDifferenceReport(failureText, networkRead ? asked : *held, *held, extras, report);
    }
    delete held;
    return applied && !extrasDiffer;
}
