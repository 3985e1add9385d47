// Registry places and value helpers shared by the netsh stand-in and the machine seed.
// These are the places from which the tool reads its network connections.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

constexpr char kNetworkClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kDeviceClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
constexpr char kInterfacesKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
// Where a connection's WINS servers are kept: NameServerList (REG_MULTI_SZ) under
// this key + "Tcpip_" + instance id.
constexpr char kNetBtInterfacesKey[] = "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces";
// Present only in a prefix that has the simulation installed.
constexpr char kSimulationMarkerKey[] = "SOFTWARE\\Tessaly\\Simulation";
constexpr char kSimulationMarkerValue[] = "Installed";

// True when this prefix has the simulation installed. Tests that start netsh check it
// first, so they can never drive a real netsh.
bool simulationInstalled();

// One connection of the simulated machine: the instance id and the name users see.
struct SimConnection {
    std::string instanceId;
    std::string name;
};

// Connections in the order the registry enumerates the network class key.
std::vector<SimConnection> listConnections();
// The interface key path of an instance id, relative to HKEY_LOCAL_MACHINE.
std::string interfaceKeyPath(const std::string& instanceId);
// The NetBT interface key path of an instance id, relative to HKEY_LOCAL_MACHINE.
std::string netBtKeyPath(const std::string& instanceId);

// Opens the key under HKEY_LOCAL_MACHINE for writing, creating it when missing; null
// when that fails.
HKEY createMachineKey(const std::string& path);

bool readText(HKEY key, const char* value, std::string& out, bool* present = nullptr);
// The strings of a multi-string value (an empty list when missing).
std::vector<std::string> readMultiText(HKEY key, const char* value);
bool writeText(HKEY key, const char* value, const std::string& text);
// An empty text is stored with no data at all, the way Windows keeps a NameServer
// that is left to DHCP.
bool writeTextOrNothing(HKEY key, const char* value, const std::string& text);
bool writeMultiText(HKEY key, const char* value, const std::vector<std::string>& texts);
bool writeNumber(HKEY key, const char* value, DWORD number);
bool readNumber(HKEY key, const char* value, DWORD& out);

// Deletes a key with everything below it.
void deleteKeyTree(HKEY root, const std::string& path);
