// Times one adapter discovery followed by the release of the list, on registries seeded
// for a typical notebook (3 connections, 20 device class entries) and a large machine
// (20 connections, 200 entries), for both ways of finding the driver descriptions.
// Then the check after an apply: reading a 64 KB script, and reading back and comparing
// 20 connections of 5 addresses and 4 DNS servers each.
// Then the selection dialog's opening: 100 profiles of a 5-connection dump each compared
// with what 5 connections hold now (the marks and every preview), the first read of the
// default printer, which loads winspool.drv, and each read after it.
// Runs in the simulation's Wine prefix and puts the simulated machine back afterwards.
#include <cstdio>
#include <string>
#include <vector>

#include "adapters/settings_readback.h"
#include "bench_harness.h"
#include "browser/browser_proxy.h"
#include "printer/default_printer.h"
#include "machine_seed.h"
#include "profiles/profile_catalog.h"
#include "profiles/profile_comparison.h"
#include "sim_registry.h"

namespace {

std::string instanceId(int n) {
    char text[48];
    std::snprintf(text, sizeof text, "{BE0C0000-0000-0000-0000-%012d}", n);
    return text;
}

std::vector<std::string> numbered(const std::string& prefix, int count) {
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) texts.push_back(prefix + std::to_string(i));
    return texts;
}

// Connections 0..connections-1, each with fixed addresses and DNS servers, and
// `entries` device class entries of which the first `connections` belong to them.
void seedMachine(int connections, int entries, int addresses = 1, int servers = 2) {
    deleteKeyTree(HKEY_LOCAL_MACHINE, kNetworkClassKey);
    deleteKeyTree(HKEY_LOCAL_MACHINE, kDeviceClassKey);
    for (int n = 0; n < connections; ++n) {
        HKEY connection = createMachineKey(std::string(kNetworkClassKey) + "\\" + instanceId(n) + "\\Connection");
        writeText(connection, "Name", "Connection " + std::to_string(n));
        RegCloseKey(connection);
        HKEY tcpip = createMachineKey(interfaceKeyPath(instanceId(n)));
        writeNumber(tcpip, "EnableDHCP", 0);
        writeMultiText(tcpip, "IPAddress", numbered("10." + std::to_string(n) + ".0.", addresses));
        writeMultiText(tcpip, "SubnetMask", std::vector<std::string>(addresses, "255.255.255.0"));
        writeMultiText(tcpip, "DefaultGateway", {"10.0.0.254"});
        std::string list;
        for (const std::string& server : numbered("10.0.1.", servers)) list += (list.empty() ? "" : ",") + server;
        writeText(tcpip, "NameServer", list);
        RegCloseKey(tcpip);
    }
    for (int e = 0; e < entries; ++e) {
        char name[8];
        std::snprintf(name, sizeof name, "%04d", e);
        HKEY entry = createMachineKey(std::string(kDeviceClassKey) + "\\" + name);
        writeText(entry, "NetCfgInstanceId", e < connections ? instanceId(e) : instanceId(100000 + e));
        writeText(entry, "DriverDesc", "Network adapter model " + std::to_string(e));
        RegCloseKey(entry);
    }
}

void removeMachine(int connections) {
    for (int n = 0; n < connections; ++n) deleteKeyTree(HKEY_LOCAL_MACHINE, interfaceKeyPath(instanceId(n)));
}

// What the seeded connections hold, as a dump would say it.
std::string dumpOfSeed(int connections, int addresses, int servers) {
    std::string script = "pushd interface ip\r\n";
    for (int n = 0; n < connections; ++n) {
        const std::string name = " name=\"Connection " + std::to_string(n) + "\"";
        script += "\r\n# Interface IP Configuration for \"Connection " + std::to_string(n) + "\"\r\n\r\n";
        const std::vector<std::string> own = numbered("10." + std::to_string(n) + ".0.", addresses);
        for (size_t i = 0; i < own.size(); ++i)
            script += (i == 0 ? "set address" + name + " source=static" : "add address" + name) + " addr=" + own[i] +
                      " mask=255.255.255.0\r\n";
        script += "set address" + name + " gateway=10.0.0.254 gwmetric=0\r\n";
        const std::vector<std::string> dns = numbered("10.0.1.", servers);
        for (size_t i = 0; i < dns.size(); ++i)
            script += (i == 0 ? "set dns" + name + " source=static" : "add dns" + name) + " addr=" + dns[i] + "\r\n";
        script += "set wins" + name + " source=static addr=none\r\n";
    }
    return script + "\r\npopd\r\n";
}

int measureVerification() {
    seedMachine(20, 20, 5, 4);
    const std::string dump = dumpOfSeed(20, 5, 4);
    std::string large;
    while (large.size() < 64 * 1024) large += dump;
    static ScriptSettings asked;
    int status = 0;
    char name[96];
    std::snprintf(name, sizeof name, "read a script of %u KB", static_cast<unsigned>(large.size() / 1024));
    measure(name, 200, [&] { readNetshScript(large.data(), large.size(), &asked); });
    if (asked.connectionCount != 20 || asked.unreadLines != 0) status = 1;
    measure("read back and compare 20 connections, 5 addr 4 DNS", 100, [&] {
        char* report = nullptr;
        if (!verifyApplied(asked, 0, "", &report)) status = 1;
        delete[] report;
    });
    removeMachine(20);
    if (status != 0) std::fprintf(stderr, "the read-back did not match what was seeded\n");
    return status;
}

void writeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// 100 profiles with the browser's proxy and the seeded default printer, every other one
// holding now.
int measureComparison() {
    // Once per process, at the first opening whose profiles name a printer.
    measureOnce("the default printer's first read, loading winspool", [] {
        char printer[kPrinterNameSize];
        readDefaultPrinter(printer);
    });
    seedMachine(5, 20);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "tessaly-bench-compare";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string holds = "# ----------------------------------\r\n# Interface IP Configuration\r\n"
                              "# ----------------------------------\r\n" + dumpOfSeed(5, 1, 2);
    std::string differs = holds;
    differs.replace(differs.find("addr=10.0.1.2"), 13, "addr=10.0.1.9");
    std::string catalogue;
    for (int i = 0; i < 100; ++i) {
        const std::string script = folder + "\\" + std::to_string(i) + ".dmp";
        writeFile(script, i % 2 == 0 ? holds : differs);
        char section[8];
        std::snprintf(section, sizeof section, "[%03d]", i);
        // The scripts of the working folder, as a save names them: a catalogue path outside it
        // is never opened.
        catalogue += section + std::string("\r\nname=Place ") + std::to_string(i) + "\r\npath=.\\" + std::to_string(i) + ".dmp" +
                     "\r\nsort=0\r\nproxy=1\r\nproxyserver=\r\nproxybypass=\r\nproxyurl=\r\nprinter=\\\\fs01\\Office-LP\r\n";
    }
    writeFile(folder + "\\dumplist.ini", catalogue);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(folder.c_str());
    ProfileCatalog catalog(".\\dumplist.ini");
    catalog.load();
    // Wine reads a settings file afresh on every call while it is newer than about two
    // seconds (measured here: each opening took 40 ms instead of 24 ms); a catalogue is
    // written long before a dialog opens.
    Sleep(2500);
    int status = catalog.count() == 100 ? 0 : 1;
    char name[96];
    std::snprintf(name, sizeof name, "compare 100 profiles (%u-byte dumps), 5 connections",
                  static_cast<unsigned>(holds.size()));
    measure(name, 30, [&] {
        ProfileComparison* comparisons = nullptr;
        if (!compareProfilesWithNow(catalog, &comparisons)) status = 1;
        for (int i = 0; comparisons != nullptr && i < 100; ++i)
            if (comparisons[i].holdsNow != (i % 2 == 0)) status = 1;
        releaseProfileComparisons(comparisons, catalog.count());
    });
    // Once per opening, and outside this program's code: what WinINet takes to answer.
    measure("  of which the browser's proxy, read through WinINet", 30, [] {
        ProxySettings proxy;
        readBrowserProxy(&proxy);
    });
    measure("  of which the default printer, read through winspool", 30, [] {
        char printer[kPrinterNameSize];
        readDefaultPrinter(printer);
    });
    SetCurrentDirectoryA(previous);
    for (int i = 0; i < 100; ++i) DeleteFileA((folder + "\\" + std::to_string(i) + ".dmp").c_str());
    DeleteFileA((folder + "\\dumplist.ini").c_str());
    RemoveDirectoryA(folder.c_str());
    removeMachine(5);
    if (status != 0) std::fprintf(stderr, "the marks did not fall on the profiles that hold\n");
    return status;
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
    if (status != 0) std::fprintf(stderr, "discovery did not find every connection\n");
    status |= measureVerification();
    status |= measureComparison();
    seedSimulatedMachine();
    return status;
}
