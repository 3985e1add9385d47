#include "machine_seed.h"

#include <string>
#include <vector>

#include "sim_registry.h"

namespace {

struct SeedConnection {
    const char* instanceId;
    const char* name;
    const char* driverEntry;  // device class subkey
    const char* driverDescription;
    DWORD enableDhcp;
    std::vector<std::string> addresses;
    std::vector<std::string> masks;
    std::vector<std::string> gateways;
    const char* nameServer;  // "" is stored with no data: DNS from DHCP
    std::vector<std::string> winsServers;
};

const SeedConnection kConnections[] = {
    {kLanInstanceId, kLanName, "0001", "Intel(R) PRO/100 VE Network Connection", 0, {"192.168.0.10"},
     {"255.255.255.0"}, {"192.168.0.1"}, "192.168.0.1,192.168.0.2", {}},
    {kWirelessInstanceId, kWirelessName, "0002", "Intel(R) PRO/Wireless 2200BG Network Connection", 1, {"0.0.0.0"},
     {"0.0.0.0"}, {}, "", {}},
    // Kept the Windows 2000 way: the DNS servers separated by a blank.
    {kSecondLanInstanceId, kSecondLanName, "0003", "3Com EtherLink XL 10/100 PCI TX NIC (3C905B-TX)", 0, {"10.0.0.20"},
     {"255.255.255.0"}, {"10.0.0.1"}, "10.0.0.1 10.0.0.2", {}},
};

bool seedConnection(const SeedConnection& c) {
    HKEY connection = createMachineKey(std::string(kNetworkClassKey) + "\\" + c.instanceId + "\\Connection");
    HKEY driver = createMachineKey(std::string(kDeviceClassKey) + "\\" + c.driverEntry);
    HKEY tcpip = createMachineKey(interfaceKeyPath(c.instanceId));
    HKEY netBt = createMachineKey(netBtKeyPath(c.instanceId));
    bool ok = connection && driver && tcpip && netBt;
    if (ok) {
        ok = writeText(connection, "Name", c.name) && writeText(connection, "PnpInstanceID", "PCI\\SIM") &&
             writeText(driver, "NetCfgInstanceId", c.instanceId) && writeText(driver, "DriverDesc", c.driverDescription) &&
             writeNumber(tcpip, "EnableDHCP", c.enableDhcp) && writeMultiText(tcpip, "IPAddress", c.addresses) &&
             writeMultiText(tcpip, "SubnetMask", c.masks) && writeMultiText(tcpip, "DefaultGateway", c.gateways) &&
             writeTextOrNothing(tcpip, "NameServer", c.nameServer) &&
             writeMultiText(netBt, "NameServerList", c.winsServers);
    }
    for (HKEY key : {connection, driver, tcpip, netBt})
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

    HKEY marker = createMachineKey(kSimulationMarkerKey);
    ok = marker && writeNumber(marker, kSimulationMarkerValue, 1) && ok;
    if (marker) RegCloseKey(marker);
    return ok ? 1 : 0;
}
