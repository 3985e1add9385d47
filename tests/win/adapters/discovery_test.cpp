// Adapter discovery on registry contents the tests build in the simulation's places.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine_seed.h"
#include "profiles/profile_catalog.h"
#include "sim_registry.h"

namespace {

constexpr uint32_t quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) { return a << 24 | b << 16 | c << 8 | d; }

HKEY createKey(const std::string& path) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

void setRaw(HKEY key, const char* name, DWORD type, const std::string& data) {
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
}

std::string text(const char* value) { return std::string(value) + '\0'; }
std::string multi(const char* value) { return std::string(value) + '\0' + '\0'; }
std::string dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

// A machine built value by value; ids are ordered so that enumeration follows them.
class Machine {
public:
    Machine() {
        deleteKeyTree(HKEY_LOCAL_MACHINE, kNetworkClassKey);
        deleteKeyTree(HKEY_LOCAL_MACHINE, kDeviceClassKey);
        deleteKeyTree(HKEY_LOCAL_MACHINE, kInterfacesKey);
    }
    ~Machine() {
        deleteKeyTree(HKEY_LOCAL_MACHINE, kInterfacesKey);
        seedSimulatedMachine();
    }
    static std::string id(int n) {
        char text[48];
        snprintf(text, sizeof text, "{00000000-0000-0000-0000-%012d}", n);
        return text;
    }
    // A connection with a name; returns its interface key (the caller closes it).
    HKEY connection(int n, const char* name) { return connection(id(n), name); }
    HKEY connection(const std::string& instanceId, const char* name) {
        HKEY key = createKey(std::string(kNetworkClassKey) + "\\" + instanceId + "\\Connection");
        if (name != nullptr) setRaw(key, "Name", REG_SZ, text(name));
        RegCloseKey(key);
        return createKey(interfaceKeyPath(instanceId));
    }
    void driver(int entry, const std::string& instanceId, const char* description) {
        char name[8];
        snprintf(name, sizeof name, "%04d", entry);
        HKEY key = createKey(std::string(kDeviceClassKey) + "\\" + name);
        setRaw(key, "NetCfgInstanceId", REG_SZ, text(instanceId.c_str()));
        if (description != nullptr) setRaw(key, "DriverDesc", REG_SZ, text(description));
        RegCloseKey(key);
    }
};

class Discovery : public ::testing::Test {
protected:
    void TearDown() override { catalog.releaseAdapters(); }
    AdapterInfo slot(int index) {
        AdapterInfo info;
        EXPECT_EQ(1, catalog.adapterAt(index, &info));
        return info;
    }
    ProfileCatalog catalog{kCatalogFilePath};
};

TEST_F(Discovery, SeededMachineListsItsTwoConnections) {
    ASSERT_EQ(1, seedSimulatedMachine());
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(2, catalog.adapterCount());
    const AdapterInfo lan = slot(0);
    EXPECT_STREQ(kLanName, lan.connectionName);
    EXPECT_STREQ(kLanInstanceId, lan.instanceId);
    EXPECT_STREQ("Intel(R) PRO/100 VE Network Connection", lan.description);
    EXPECT_EQ(0, lan.addressAuto);
    EXPECT_EQ(quad(192, 168, 0, 10), lan.address);
    EXPECT_EQ(quad(255, 255, 255, 0), lan.subnetMask);
    EXPECT_EQ(quad(192, 168, 0, 1), lan.gateway);
    EXPECT_EQ(0, lan.dnsAuto);
    EXPECT_EQ(quad(192, 168, 0, 1), lan.preferredDns);
    EXPECT_EQ(quad(192, 168, 0, 2), lan.alternateDns);
    const AdapterInfo wireless = slot(1);
    EXPECT_STREQ(kWirelessName, wireless.connectionName);
    EXPECT_EQ(1, wireless.addressAuto);
    EXPECT_EQ(0u, wireless.address);
    EXPECT_EQ(1, wireless.dnsAuto) << "an empty NameServer on a DHCP adapter";

    EXPECT_EQ(0, catalog.discover()) << "a filled list is not read again";
    EXPECT_EQ(2, catalog.adapterCount());
    AdapterInfo out;
    EXPECT_EQ(0, catalog.adapterAt(-1, &out));
    EXPECT_EQ(0, catalog.adapterAt(20, &out));
    EXPECT_EQ(0, catalog.adapterAt(0, nullptr));
    EXPECT_EQ(1, catalog.releaseAdapters());
    EXPECT_EQ(0, catalog.adapterCount());
    EXPECT_EQ(1, catalog.releaseAdapters()) << "releasing twice is harmless";
    EXPECT_EQ(1, catalog.discover());
    EXPECT_EQ(2, catalog.adapterCount());
}

TEST_F(Discovery, AtMostTwentyConnectionsAndOnlyRealOnes) {
    Machine machine;
    for (int n = 0; n < 23; ++n) {
        const std::string name = "conn " + std::to_string(n);
        RegCloseKey(machine.connection(n, n == 3 ? nullptr : name.c_str()));
    }
    createKey(std::string(kNetworkClassKey) + "\\" + Machine::id(1) + "x");  // no Connection subkey
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(20, catalog.adapterCount());
    EXPECT_STREQ("conn 0", slot(0).connectionName);
    EXPECT_STREQ("conn 4", slot(3).connectionName) << "conn 3 has no Name";
    EXPECT_STREQ("conn 20", slot(19).connectionName);
}

TEST_F(Discovery, TcpIpValuesReadAsTheRegistryGivesThem) {
    Machine machine;
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, std::pair<DWORD, std::string>>> values;
        uint8_t addressAuto;
        uint32_t address, mask, gateway;
        uint8_t dnsAuto;
        uint32_t preferred, alternate;
    };
    const std::vector<Case> cases = {
        {"dhcp with a stale address",
         {{"EnableDHCP", {REG_DWORD, dword(1)}}, {"IPAddress", {REG_MULTI_SZ, multi("10.1.1.1")}},
          {"NameServer", {REG_SZ, ""}}},
         1, 0, 0, 0, 1, 0, 0},
        {"no EnableDHCP", {{"IPAddress", {REG_MULTI_SZ, multi("10.1.1.1")}}}, 1, 0, 0, 0, 1, 0, 0},
        {"two addresses, fixed, empty NameServer",
         {{"EnableDHCP", {REG_DWORD, dword(0)}},
          {"IPAddress", {REG_MULTI_SZ, std::string("10.0.0.5\0" "10.0.0.6\0\0", 19)}},
          {"SubnetMask", {REG_MULTI_SZ, multi("255.0.0.0")}}, {"NameServer", {REG_SZ, ""}}},
         0, quad(10, 0, 0, 5), quad(255, 0, 0, 0), 0, 0, 0, 0},
        {"three servers",
         {{"EnableDHCP", {REG_DWORD, dword(0)}}, {"NameServer", {REG_SZ, text("10.0.0.1,10.0.0.2,10.0.0.3")}}},
         0, 0, 0, 0, 0, quad(10, 0, 0, 1), quad(10, 0, 0, 2)},
        {"leading comma", {{"NameServer", {REG_SZ, text(",10.0.0.2")}}}, 1, 0, 0, 0, 0, quad(10, 0, 0, 2), 0},
        {"blank separated", {{"NameServer", {REG_SZ, text("10.0.0.1 10.0.0.2")}}}, 1, 0, 0, 0, 0,
         quad(10, 0, 0, 1), 0},
        {"wrong types",
         {{"EnableDHCP", {REG_SZ, text("0")}}, {"IPAddress", {REG_DWORD, dword(0x0A000001)}},
          {"DefaultGateway", {REG_SZ, text("10.0.0.254")}}},
         0, 0, 0, quad(10, 0, 0, 254), 1, 0, 0},
        {"multi-string without terminators",
         {{"EnableDHCP", {REG_DWORD, dword(0)}}, {"IPAddress", {REG_MULTI_SZ, "10.0.0.9"}}},
         0, quad(10, 0, 0, 9), 0, 0, 1, 0, 0},
        {"64 KB NameServer", {{"NameServer", {REG_SZ, text(std::string(65536, '7').c_str())}}}, 1, 0, 0, 0, 0,
         0x71000000u, 0},  // 19 sevens: 7777777777777777777 modulo 65536 is 7281, spilling upwards
        {"10,000 commas", {{"NameServer", {REG_SZ, text(std::string(10000, ',').c_str())}}}, 1, 0, 0, 0, 0, 0, 0},
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        HKEY key = machine.connection(static_cast<int>(i), cases[i].name);
        for (const auto& value : cases[i].values) setRaw(key, value.first, value.second.first, value.second.second);
        RegCloseKey(key);
    }
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(static_cast<int>(cases.size()), catalog.adapterCount());
    for (size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const AdapterInfo info = slot(static_cast<int>(i));
        EXPECT_STREQ(c.name, info.connectionName);
        EXPECT_EQ(c.addressAuto, info.addressAuto);
        EXPECT_EQ(c.address, info.address);
        EXPECT_EQ(c.mask, info.subnetMask);
        EXPECT_EQ(c.gateway, info.gateway);
        EXPECT_EQ(c.dnsAuto, info.dnsAuto);
        EXPECT_EQ(c.preferred, info.preferredDns);
        EXPECT_EQ(c.alternate, info.alternateDns);
    }
}

TEST_F(Discovery, DescriptionsMatchTheIdExactlyAndTheLaterEntryWins) {
    Machine machine;
    RegCloseKey(machine.connection(0, "exact"));
    RegCloseKey(machine.connection(1, "no description"));
    RegCloseKey(machine.connection("{ABCDEF00-0000-0000-0000-000000000002}", "case differs"));
    machine.driver(0, Machine::id(0), "first");
    machine.driver(1, Machine::id(0), "second");
    machine.driver(2, Machine::id(1), nullptr);
    machine.driver(3, "{abcdef00-0000-0000-0000-000000000002}", "lower case id");
    // Both ways of scanning the device class key give the same result.
    for (DescriptionScan scan : {DescriptionScan::Once, DescriptionScan::PerConnection}) {
        ASSERT_EQ(1, catalog.discover(scan));
        ASSERT_EQ(3, catalog.adapterCount());
        EXPECT_STREQ("second", slot(0).description);
        EXPECT_EQ(nullptr, slot(1).description);
        EXPECT_STREQ("case differs", slot(2).connectionName);
        EXPECT_EQ(nullptr, slot(2).description);
        catalog.releaseAdapters();
    }
}

TEST_F(Discovery, ASlotWithoutInterfaceKeyShowsDefinedValuesAfterAFilledOne) {
    Machine machine;
    HKEY key = machine.connection(0, "first");
    setRaw(key, "EnableDHCP", REG_DWORD, dword(0));
    setRaw(key, "IPAddress", REG_MULTI_SZ, multi("10.0.0.5"));
    setRaw(key, "NameServer", REG_SZ, text("10.0.0.1"));
    RegCloseKey(key);
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(quad(10, 0, 0, 5), slot(0).address);
    catalog.releaseAdapters();

    deleteKeyTree(HKEY_LOCAL_MACHINE, interfaceKeyPath(Machine::id(0)));
    ASSERT_EQ(1, catalog.discover());
    const AdapterInfo info = slot(0);
    EXPECT_EQ(1, info.addressAuto);
    EXPECT_EQ(0u, info.address);
    EXPECT_EQ(1, info.dnsAuto);
    EXPECT_EQ(0u, info.preferredDns);
    const AdapterInfo unused = slot(5);
    EXPECT_EQ(nullptr, unused.connectionName);
    EXPECT_EQ(1, unused.addressAuto);
}

TEST_F(Discovery, NoNetworkClassKeyGivesAnEmptyList) {
    Machine machine;
    deleteKeyTree(HKEY_LOCAL_MACHINE, kNetworkClassKey);
    EXPECT_EQ(0, catalog.discover());
    EXPECT_EQ(0, catalog.adapterCount());
}

}  // namespace
