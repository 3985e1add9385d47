#include "machine_seed.h"

#include <string>
#include <vector>

#include "sim_registry.h"

namespace {

// One connection of each shape Windows 2000 and XP write.
struct SeedConnection {
    const char* instanceId;
    const char* name;
    const char* driverEntry;  // device class subkey
    const char* driverDescription;
    const DhcpLease* lease;  // an address from DHCP; null: the fixed values below
    std::vector<std::string> addresses;
    std::vector<std::string> masks;
    std::vector<std::string> gateways;
    const char* nameServer;  // "": DNS from the same source as the address
    std::vector<std::string> winsServers;
};

constexpr DhcpLease kHomeLease = {"192.168.1.33", "255.255.255.0", "192.168.1.1", "192.168.1.1", "192.168.1.1",
                                  "home.example"};
constexpr DhcpLease kCafeLease = {"172.16.5.40", "255.255.0.0", "172.16.0.1", "172.16.0.1 172.16.0.2", "172.16.0.1",
                                  "cafe.example"};

const SeedConnection kConnections[] = {
    // XP: a fixed address, the DNS servers separated by a comma.
    {kLanInstanceId, kLanName, "0001", "Intel(R) PRO/100 VE Network Connection", nullptr, {"192.168.0.10"},
     {"255.255.255.0"}, {"192.168.0.1"}, "192.168.0.1,192.168.0.2", {}},
    // Everything from DHCP.
    {kWirelessInstanceId, kWirelessName, "0002", "Intel(R) PRO/Wireless 2200BG Network Connection", &kHomeLease, {},
     {}, {}, "", {}},
    // Windows 2000: a fixed address, the DNS servers separated by a blank.
    {kSecondLanInstanceId, kSecondLanName, "0003", "3Com EtherLink XL 10/100 PCI TX NIC (3C905B-TX)", nullptr,
     {"10.0.0.20"}, {"255.255.255.0"}, {"10.0.0.1"}, "10.0.0.1 10.0.0.2", {}},
    // The address from DHCP, the DNS server fixed.
    {kSecondWirelessInstanceId, kSecondWirelessName, "0004", "Intel(R) PRO/Wireless 3945ABG Network Connection",
     &kCafeLease, {}, {}, {}, "192.168.1.53", {}},
};

bool writeAddress(HKEY tcpip, const SeedConnection& c) {
    if (c.lease != nullptr) return writeDhcpAddress(tcpip, c.lease);
    return writeNumber(tcpip, "EnableDHCP", 0) && writeMultiText(tcpip, "IPAddress", c.addresses) &&
           writeMultiText(tcpip, "SubnetMask", c.masks) && writeMultiText(tcpip, "DefaultGateway", c.gateways);
}

bool seedConnection(const SeedConnection& c) {
    HKEY connection = createMachineKey(std::string(kNetworkClassKey) + "\\" + c.instanceId + "\\Connection");
    HKEY driver = createMachineKey(std::string(kDeviceClassKey) + "\\" + c.driverEntry);
    HKEY tcpip = createMachineKey(interfaceKeyPath(c.instanceId));
    HKEY netBt = createMachineKey(netBtKeyPath(c.instanceId));
    bool ok = connection && driver && tcpip && netBt;
    if (ok) {
        ok = writeText(connection, "Name", c.name) && writeText(connection, "PnpInstanceID", "PCI\\SIM") &&
             writeText(driver, "NetCfgInstanceId", c.instanceId) && writeText(driver, "DriverDesc", c.driverDescription) &&
             writeAddress(tcpip, c) && writeText(tcpip, "NameServer", c.nameServer) &&
             writeMultiText(netBt, "NameServerList", c.winsServers);
    }
    for (HKEY key : {connection, driver, tcpip, netBt})
        if (key) RegCloseKey(key);
    return ok;
}

// Each printer as Windows 2000 and XP list the user's printers: in Devices ("winspool,PORT")
// and PrinterPorts ("winspool,PORT,15,45"); the default as the Windows key's Device
// ("NAME,winspool,PORT"). Wine's winspool needs Devices alone to know a printer.
bool seedPrinters() {
    const std::string printerPorts = "Software\\Microsoft\\Windows NT\\CurrentVersion\\PrinterPorts";
    deleteKeyTree(HKEY_CURRENT_USER, kUserPrintersKey);
    deleteKeyTree(HKEY_CURRENT_USER, printerPorts);
    HKEY devices = createKey(HKEY_CURRENT_USER, kUserPrintersKey);
    HKEY ports = createKey(HKEY_CURRENT_USER, printerPorts);
    HKEY windows = createKey(HKEY_CURRENT_USER, kUserWindowsKey);
    bool ok = devices && ports && windows;
    const struct {
        const char* name;
        const char* port;
    } printers[] = {{kOfficePrinter, "Ne00:"}, {kHomePrinter, "USB001"}};
    for (const auto& p : printers) {
        ok = ok && writeText(devices, p.name, std::string("winspool,") + p.port) &&
             writeText(ports, p.name, std::string("winspool,") + p.port + ",15,45");
    }
    ok = ok && writeText(windows, "Device", std::string(kOfficePrinter) + ",winspool,Ne00:");
    for (HKEY key : {devices, ports, windows})
        if (key) RegCloseKey(key);
    return ok;
}

// Who answers ARP, and what the ARP cache holds at the start.
bool seedArp() {
    deleteKeyTree(HKEY_LOCAL_MACHINE, kSimNeighboursKey);
    deleteKeyTree(HKEY_LOCAL_MACHINE, kSimArpCacheKey);
    HKEY neighbours = createMachineKey(kSimNeighboursKey);
    HKEY cache = createMachineKey(kSimArpCacheKey);
    bool ok = neighbours && cache;
    const struct {
        const char* address;
        const char* mac;
        bool cached;
    } hosts[] = {{"192.168.0.1", kOfficeGatewayMac, true},
                 {kHomePlace.gateway, kHomePlace.mac, true},
                 {"10.0.0.1", kSecondLanGatewayMac, true},
                 {"172.16.0.1", kCafeGatewayMac, false},
                 {"192.168.11.1", kSimulatedDhcpServerMac, false}};
    for (const auto& h : hosts)
        ok = ok && writeText(neighbours, h.address, h.mac) && (!h.cached || writeText(cache, h.address, h.mac));
    ok = ok && writeText(cache, kInvalidArpAddress, kInvalidArpEntry);
    for (HKEY key : {neighbours, cache})
        if (key) RegCloseKey(key);
    return ok;
}

}  // namespace

int seedSimulatedMachine() {
    // The simulation owns both class keys in its prefix; the interface keys are its own ids.
    deleteKeyTree(HKEY_LOCAL_MACHINE, kNetworkClassKey);
    deleteKeyTree(HKEY_LOCAL_MACHINE, kDeviceClassKey);
    for (const SeedConnection& c : kConnections) {
        deleteKeyTree(HKEY_LOCAL_MACHINE, interfaceKeyPath(c.instanceId));
        deleteKeyTree(HKEY_LOCAL_MACHINE, netBtKeyPath(c.instanceId));
    }

    bool ok = true;
    for (const SeedConnection& c : kConnections) ok = seedConnection(c) && ok;

    // A network class subkey that is no connection, and a driver entry of another class member.
    HKEY other = createMachineKey(std::string(kNetworkClassKey) + "\\" + kNotAConnectionSubkey);
    HKEY miniport = createMachineKey(std::string(kDeviceClassKey) + "\\0000");
    ok = other && miniport && writeText(miniport, "NetCfgInstanceId", "{6E1F6D55-1D3A-4B7A-9A51-2C1E5E0A10FF}") &&
         writeText(miniport, "DriverDesc", "WAN Miniport (IP)") && ok;
    for (HKEY key : {other, miniport})
        if (key) RegCloseKey(key);

    ok = seedArp() && ok;
    ok = seedPrinters() && ok;
    HKEY marker = createMachineKey(kSimulationMarkerKey);
    ok = marker && writeNumber(marker, kSimulationMarkerValue, 1) && ok;
    if (marker) RegCloseKey(marker);
    return ok ? 1 : 0;
}
