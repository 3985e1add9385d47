#include "connection_keys.h"

#include <cstring>

#include "../common/text_builder.h"
#include "registry_places.h"

bool ConnectionWalk::open() {
    classKey_.root = HKEY_LOCAL_MACHINE;
    index_ = 0;
    return classKey_.open(kNetworkClassKey);
}

bool ConnectionWalk::next() {
    static const char kConnection[] = "\\Connection";
    while (classKey_.subKeyName(index_++, instanceId)) {
        char path[kKeyNameSize + sizeof kConnection];
        BoundedText(path, sizeof path).add(instanceId).add(kConnection);
        RegKey connection;
        connection.root = classKey_.key;
        if (!connection.open(path)) continue;
        const bool named = name_.read(connection, "Name");
        connection.close();
        if (named) return true;  // otherwise a subkey that is no connection
    }
    return false;
}

bool openConnectionKey(RegKey& key, const char* prefix, const char* instanceId) {
    char path[sizeof kNetBtKeyPrefix + kKeyNameSize];  // the longer prefix
    if (prefix == nullptr || instanceId == nullptr || !BoundedText(path, sizeof path).add(prefix).add(instanceId).finish())
        return false;
    key.root = HKEY_LOCAL_MACHINE;
    return key.open(path);
}

int readInterfaceValues(const char* instanceId, InterfaceValues* out) {
    RegKey key;
    if (!openConnectionKey(key, kInterfaceKeyPrefix, instanceId)) return 0;
    RegistryValue dhcp;
    if (!dhcp.read(key, "EnableDHCP")) {
        out->enableDhcp = DhcpFlag::Missing;
    } else if (dhcp.size() > sizeof(DWORD)) {
        out->enableDhcp = DhcpFlag::TooLong;
    } else {
        DWORD flag = 0;
        std::memcpy(&flag, dhcp.data(), dhcp.size());
        out->enableDhcp = flag == 1 ? DhcpFlag::On : DhcpFlag::Off;
    }
    out->ipAddress.read(key, "IPAddress");
    out->subnetMask.read(key, "SubnetMask");
    out->defaultGateway.read(key, "DefaultGateway");
    out->nameServer.read(key, "NameServer");
    key.close();
    return 1;
}
