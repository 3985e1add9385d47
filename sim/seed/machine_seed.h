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

// The current user's printers: one on a print server, the default, and a local one.
constexpr char kOfficePrinter[] = "\\\\fs01\\Office-LP";
constexpr char kHomePrinter[] = "自宅の Inkjet";
constexpr char kUserPrintersKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";
constexpr char kUserWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// Replaces whatever the simulation's registry areas hold by the seed, and sets the
// simulation marker; seeds the printers the same way. Returns 1 on success.
int seedSimulatedMachine();
