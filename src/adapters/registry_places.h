// Where the network connections and their TCP/IP settings live, under HKEY_LOCAL_MACHINE,
// and the current user's printers, under HKEY_CURRENT_USER.
#pragma once

// The network class key: one subkey per adapter instance id, with Connection\Name.
constexpr char kNetworkClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Network\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
// The device class key: driver entries with NetCfgInstanceId and DriverDesc.
constexpr char kDeviceClassKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Class\\{4D36E972-E325-11CE-BFC1-08002BE10318}";
// An interface key is this prefix followed by the instance id.
constexpr char kInterfaceKeyPrefix[] = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces\\";
// One value per printer of the user, local or on a server: the printer's name, "winspool,PORT".
constexpr char kUserPrintersKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";
