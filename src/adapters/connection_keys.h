// The registry's view of the network connections, read the one way that discovery and the
// read-back share: the walk of the network class key, and the values of a connection's
// TCP/IP interface key. Each takes from them what it shows or compares.
#pragma once

#include <cstdint>

#include "reg_key.h"

// The subkeys of the network class key that are connections (they have Connection\Name),
// in the key's order:
//     ConnectionWalk walk;
//     if (walk.open()) while (walk.next()) use(walk.instanceId, walk.name());
class ConnectionWalk {
public:
    ConnectionWalk() = default;
    ~ConnectionWalk() { classKey_.close(); }
    ConnectionWalk(const ConnectionWalk&) = delete;
    ConnectionWalk& operator=(const ConnectionWalk&) = delete;

    // False when the network class key cannot be opened.
    bool open();
    // Steps to the next connection; false after the last.
    bool next();
    // The connection's name: the first string of its Name value.
    const char* name() const { return name_.data(); }

    char instanceId[kKeyNameSize] = "";  // the subkey's name

private:
    RegKey classKey_;
    DWORD index_ = 0;
    RegistryValue name_;
};

// Opens prefix + instanceId under HKEY_LOCAL_MACHINE (an interface key, a NetBT key).
bool openConnectionKey(RegKey& key, const char* prefix, const char* instanceId);

// EnableDHCP as read: missing, 1, another number (a value shorter than four bytes counts
// zero-extended), or longer than four bytes.
enum class DhcpFlag : uint8_t { Missing, On, Off, TooLong };

// What a connection's TCP/IP interface key holds: the values as stored (Windows 2000 keeps
// NameServer's servers separated by blanks, XP by commas; the address values are
// multi-strings).
struct InterfaceValues {
    DhcpFlag enableDhcp = DhcpFlag::Missing;
    RegistryValue ipAddress;
    RegistryValue subnetMask;
    RegistryValue defaultGateway;
    RegistryValue nameServer;
};

// Reads the interface key of the instance id into *out; 0 when it cannot be opened.
int readInterfaceValues(const char* instanceId, InterfaceValues* out);
