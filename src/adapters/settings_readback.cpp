#include "settings_readback.h"

#include <cstring>
#include <new>

#include "../common/file_retry.h"
#include "../netcmd/settings_report.h"
#include "connection_keys.h"
#include "registry_places.h"

namespace {

constexpr DWORD kMaxScriptBytes = 1024 * 1024;

// Addresses of a value as the script reader reads them: every string, every piece.
void readList(const RegistryValue& value, AddressList* list) {
    parseAddressList(value.data(), value.size(), list);
}

// One connection's settings. An empty server list reads as DHCP on a DHCP connection
// and as fixed servers "none" on a fixed one.
bool readConnection(const char* instanceId, ConnectionSettings* held) {
    InterfaceValues values;
    if (!readInterfaceValues(instanceId, &values)) return false;
    // A missing EnableDHCP counts as DHCP, as discovery reads it; so does one longer than
    // a DWORD here.
    const bool dhcp = values.enableDhcp != DhcpFlag::Off;
    const SettingSource unlisted = dhcp ? SettingSource::Dhcp : SettingSource::Static;
    held->addressSource = unlisted;
    readList(values.ipAddress, &held->addresses);
    readList(values.subnetMask, &held->masks);
    readList(values.defaultGateway, &held->gateways);
    readList(values.nameServer, &held->dns);
    held->dnsSource = held->dns.count != 0 ? SettingSource::Static : unlisted;
    RegKey netBt;
    if (openConnectionKey(netBt, kNetBtKeyPrefix, instanceId)) {
        RegistryValue wins;
        wins.read(netBt, "NameServerList");
        readList(wins, &held->wins);
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
    ConnectionWalk walk;
    if (!walk.open()) return 0;
    int whole = 1;
    while (whole && walk.next()) {
        // A name longer than any script may give is no connection a profile names.
        const char* name = walk.name();
        if (std::strlen(name) >= kScriptNameSize) continue;
        if (out->count == out->capacity && !growMachineSettings(out)) whole = 0;
        if (whole) {
            HeldConnection& held = out->items[out->count++];
            resetConnectionSettings(&held.settings, name);
            held.readable = readConnection(walk.instanceId, &held.settings);
        }
    }
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

int readScriptSettings(const char* path, ScriptSettings* out, HANDLE* heldOpen) {
    readNetshScript(nullptr, 0, out);
    if (heldOpen != nullptr) *heldOpen = INVALID_HANDLE_VALUE;
    if (path == nullptr) return 0;
    // Shared for reading only: while the handle is open nobody can change the script. A
    // script just dumped may still be held a moment. Should the path name a pipe after all,
    // its server may only identify this process, never act as it.
    HANDLE file = openFileSoon(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION);
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
