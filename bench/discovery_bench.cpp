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
#include "bench_profiles.h"
#include "browser/browser_proxy.h"
#include "printer/default_printer.h"
#include "machine_seed.h"
#include "profiles/profile_catalog.h"
#include "profiles/profile_comparison.h"

namespace {

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
    writeProfileFolder(folder, 100, true);
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
                  static_cast<unsigned>(profileDump().size()));
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
    removeFolder(folder);
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
