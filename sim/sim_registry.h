// Registry places and value helpers shared by the netsh stand-in and the machine seed.
// These are the places from which the tool reads its network connections.
#pragma once

#include <windows.h>

#include <cstdint>
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
// The hosts that answer ARP on the simulated network (the iphlpapi stand-in's SendARP):
// one REG_SZ per host, name = dotted address, data = hardware address "00-0D-0B-12-34-56".
constexpr char kSimNeighboursKey[] = "SOFTWARE\\Tessaly\\Simulation\\Neighbours";
// The machine's ARP table as GetIpNetTable lists it: one REG_SZ per entry, name = dotted
// address, data = hardware address, then " invalid" or " static" (nothing: dynamic).
constexpr char kSimArpCacheKey[] = "SOFTWARE\\Tessaly\\Simulation\\ArpCache";

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
// The same under any root.
HKEY createKey(HKEY root, const std::string& path);

bool readText(HKEY key, const char* value, std::string& out, bool* present = nullptr);
// The strings of a multi-string value (an empty list when missing).
std::vector<std::string> readMultiText(HKEY key, const char* value);
// A REG_SZ; an empty text keeps its terminator, as Windows writes a NameServer that is
// left to DHCP.
bool writeText(HKEY key, const char* value, const std::string& text);
// A REG_MULTI_SZ; an empty list is its terminator alone, as Windows writes the
// DefaultGateway of a DHCP interface.
bool writeMultiText(HKEY key, const char* value, const std::vector<std::string>& texts);
bool writeNumber(HKEY key, const char* value, DWORD number);
bool readNumber(HKEY key, const char* value, DWORD& out);

// What a DHCP server gave an interface, kept beside the interface's own values.
struct DhcpLease {
    const char* address;
    const char* mask;
    const char* gateway;
    const char* nameServers;  // blank-separated, as Windows keeps DhcpNameServer
    const char* server;       // the DHCP server that gave the lease
    const char* domain;       // the DNS suffix it gave; may be ""
};
// The lease the stand-in's simulated DHCP server hands out.
constexpr DhcpLease kSimulatedLease = {"192.168.11.20", "255.255.255.0", "192.168.11.1", "192.168.11.1",
                                       "192.168.11.1", ""};

// Writes an interface key's values the way Windows keeps an address from DHCP:
// EnableDHCP 1, IPAddress and SubnetMask "0.0.0.0", no DefaultGateway, and the lease in
// DhcpIPAddress, DhcpSubnetMask (REG_SZ), DhcpDefaultGateway (REG_MULTI_SZ),
// DhcpNameServer, DhcpServer and DhcpDomain (REG_SZ); null keeps the lease the key holds.
// The NameServer value is left alone: DNS has its own source.
bool writeDhcpAddress(HKEY key, const DhcpLease* lease);

// A place the notebook is carried to: its gateway and the gateway's hardware address.
struct SimPlace {
    const char* gateway;
    const char* mac;
};
// Two places with the same gateway address and different gateways behind it: only the
// hardware address tells them apart.
constexpr SimPlace kHomePlace = {"192.168.1.1", "00-0D-0B-12-34-56"};
constexpr SimPlace kNeighbourPlace = {"192.168.1.1", "00-1D-7E-AB-CD-EF"};

// The notebook is now at that place: its gateway answers ARP with the place's hardware
// address, and the ARP cache holds it as a dynamic entry. Other hosts and entries stay.
bool moveToPlace(const SimPlace& place);
// That host no longer answers ARP and leaves the ARP cache. True when neither holds it.
bool silenceHost(const char* address);

// The environment variable's value; empty when unset or longer than 1 KB.
std::string environment(const char* name);
// Appends the line and CR LF to the file the environment variable names, if any: the
// stand-ins' logs of what they were asked.
void appendSimLog(const char* variable, const std::string& line);
// "a.b.c.d" of a packed address.
std::string quadText(uint32_t address);

// Deletes a key with everything below it.
void deleteKeyTree(HKEY root, const std::string& path);
