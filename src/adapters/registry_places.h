// Where the network connections and their TCP/IP settings live, under HKEY_LOCAL_MACHINE.
#pragma once

// The network class key: one subkey per adapter instance id, with Connection\Name.
constexpr char kNetworkClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
// The device class key: driver entries with NetCfgInstanceId and DriverDesc.
constexpr char kDeviceClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
// The TCP/IP interfaces' key: one subkey per instance id.
constexpr char kInterfacesKey[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";
// An interface key is this prefix followed by the instance id.
constexpr char kInterfaceKeyPrefix[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
// A NetBT key (the WINS servers) is this prefix followed by the instance id.
constexpr char kNetBtKeyPrefix[] = "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces\\Tcpip_";
