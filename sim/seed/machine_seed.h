// The simulated machine's network connections, written into the registry.
#pragma once

// The seeded connections' names, instance ids and settings.
constexpr char kLanName[] = "ローカル エリア接続";
constexpr char kLanInstanceId[] = "{6E1F6D55-1D3A-4B7A-9A51-2C1E5E0A1001}";
constexpr char kWirelessName[] = "ワイヤレス ネットワーク接続";
constexpr char kWirelessInstanceId[] = "{6E1F6D55-1D3A-4B7A-9A51-2C1E5E0A1002}";
constexpr char kSecondLanName[] = "ローカル エリア接続 2";
constexpr char kSecondLanInstanceId[] = "{6E1F6D55-1D3A-4B7A-9A51-2C1E5E0A1003}";
constexpr char kSecondWirelessName[] = "ワイヤレス ネットワーク接続 2";
constexpr char kSecondWirelessInstanceId[] = "{6E1F6D55-1D3A-4B7A-9A51-2C1E5E0A1004}";
// A network class subkey that is no connection (it has no Connection subkey).
constexpr char kNotAConnectionSubkey[] = "Descriptions";

// The hosts that answer ARP (the home gateway, 192.168.1.1, has kHomePlace.mac).
constexpr char kOfficeGatewayMac[] = "00-0C-29-0A-0B-01";     // 192.168.0.1, the office LAN's gateway
constexpr char kSecondLanGatewayMac[] = "00-0C-29-0A-0B-03";  // 10.0.0.1, the second LAN's gateway
constexpr char kCafeGatewayMac[] = "00-0C-29-0A-0B-04";       // 172.16.0.1, the cafe's DHCP server
constexpr char kSimulatedDhcpServerMac[] = "00-0C-29-0A-0B-05";  // 192.168.11.1, kSimulatedLease's server
// An ARP cache entry that Windows lists as invalid (type 2): an address that never answered.
constexpr char kInvalidArpAddress[] = "192.168.0.99";
constexpr char kInvalidArpEntry[] = "00-00-00-00-00-00 invalid";

// What a save on the seeded machine records of its network, as the profile's key.
constexpr char kSeededNetworkKey[] =
    "network=192.168.0.1 00-0C-29-0A-0B-01,192.168.1.1 00-0D-0B-12-34-56,dhcp 192.168.1.1 home.example,"
    "10.0.0.1 00-0C-29-0A-0B-03,172.16.0.1 00-0C-29-0A-0B-04,dhcp 172.16.0.1 cafe.example\r\n";

// The current user's printers: one on a print server, the default, and a local one.
constexpr char kOfficePrinter[] = "\\\\fs01\\Office-LP";
constexpr char kHomePrinter[] = "自宅の Inkjet";
constexpr char kUserPrintersKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";
constexpr char kUserWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// Replaces whatever the simulation's registry areas hold by the seed, and sets the
// simulation marker; seeds the printers and the ARP neighbours and cache the same way.
// The office, home and second LAN gateways answer ARP and are cached (dynamic), with the
// invalid entry; the cafe's and the simulated DHCP server answer SendARP but are not in the
// table (as on Windows, an answer to SendARP never enters it). Returns 1 on success.
int seedSimulatedMachine();
