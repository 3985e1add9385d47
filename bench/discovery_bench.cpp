// Times one adapter discovery followed by the release of the list, on registries seeded
// for a typical notebook (3 connections, 20 device class entries) and a large machine
// (20 connections, 200 entries), for both ways of finding the driver descriptions.
// Runs in the simulation's Wine prefix and puts the simulated machine back afterwards.
#include <cstdio>
#include <string>

#include "bench_harness.h"
#include "machine_seed.h"
#include "profiles/profile_catalog.h"
#include "sim_registry.h"

namespace {

std::string instanceId(int n) {
    char text[48];
    std::snprintf(text, sizeof text, "{BE0C0000-0000-0000-0000-%012d}", n);
    return text;
}

HKEY createKey(const std::string& path) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

// Connections 0..connections-1, each with a fixed address and two DNS servers, and
// `entries` device class entries of which the first `connections` belong to them.
void seedMachine(int connections, int entries) {
    deleteKeyTree(HKEY_LOCAL_MACHINE, kNetworkClassKey);
    deleteKeyTree(HKEY_LOCAL_MACHINE, kDeviceClassKey);
    for (int n = 0; n < connections; ++n) {
        HKEY connection = createKey(std::string(kNetworkClassKey) + "\\" + instanceId(n) + "\\Connection");
        writeText(connection, "Name", "Connection " + std::to_string(n));
        RegCloseKey(connection);
        HKEY tcpip = createKey(interfaceKeyPath(instanceId(n)));
        writeNumber(tcpip, "EnableDHCP", 0);
        writeMultiText(tcpip, "IPAddress", {"10.0.0." + std::to_string(n + 1)});
        writeMultiText(tcpip, "SubnetMask", {"255.255.255.0"});
        writeMultiText(tcpip, "DefaultGateway", {"10.0.0.254"});
        writeText(tcpip, "NameServer", "10.0.0.1,10.0.0.2");
        RegCloseKey(tcpip);
    }
    for (int e = 0; e < entries; ++e) {
        char name[8];
        std::snprintf(name, sizeof name, "%04d", e);
        HKEY entry = createKey(std::string(kDeviceClassKey) + "\\" + name);
        writeText(entry, "NetCfgInstanceId", e < connections ? instanceId(e) : instanceId(100000 + e));
        writeText(entry, "DriverDesc", "Network adapter model " + std::to_string(e));
        RegCloseKey(entry);
    }
}

void removeMachine(int connections) {
    for (int n = 0; n < connections; ++n) deleteKeyTree(HKEY_LOCAL_MACHINE, interfaceKeyPath(instanceId(n)));
}

}  // namespace

int main() {
    if (!simulationInstalled()) {
        std::fprintf(stderr, "the simulated network is not installed in this prefix (sim/install)\n");
        return 1;
    }
    const struct {
        int connections, entries, runs;
    } machines[] = {{3, 20, 200}, {20, 200, 20}};
    int status = 0;
    for (const auto& machine : machines) {
        seedMachine(machine.connections, machine.entries);
        ProfileCatalog catalog(kCatalogFilePath);
        for (DescriptionScan scan : {DescriptionScan::PerConnection, DescriptionScan::Once}) {
            char name[96];
            std::snprintf(name, sizeof name, "discover+release %2d connections %3d entries, %s", machine.connections,
                          machine.entries, scan == DescriptionScan::Once ? "scan once" : "rescan each");
            measure(name, machine.runs, [&] {
                catalog.discover(scan);
                if (catalog.adapterCount() != machine.connections) status = 1;
                catalog.releaseAdapters();
            });
        }
        removeMachine(machine.connections);
    }
    seedSimulatedMachine();
    if (status != 0) std::fprintf(stderr, "discovery did not find every connection\n");
    return status;
}
