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
std::string text(const std::string& value) { return value + '\0'; }
std::string dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

// An empty machine, filled value by value; ids are ordered so that enumeration follows them.
class Discovery : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* key : {kNetworkClassKey, kDeviceClassKey, kInterfacesKey}) deleteKeyTree(HKEY_LOCAL_MACHINE, key);
    }
    void TearDown() override {
        catalog.releaseAdapters();
        seedSimulatedMachine();
    }
    static std::string id(int n) {
        char out[48];
        snprintf(out, sizeof out, "{00000000-0000-0000-0000-%012d}", n);
        return out;
    }
    // A connection with a name (null: none); returns its interface key for the caller to close.
    static HKEY connection(const std::string& instanceId, const char* name) {
        HKEY key = createKey(std::string(kNetworkClassKey) + "\\" + instanceId + "\\Connection");
        if (name != nullptr) setRaw(key, "Name", REG_SZ, text(name));
        RegCloseKey(key);
        return createKey(interfaceKeyPath(instanceId));
    }
    static void driver(int entry, const std::string& instanceId, const char* description) {
        char name[8];
        snprintf(name, sizeof name, "%04d", entry);
        HKEY key = createKey(std::string(kDeviceClassKey) + "\\" + name);
        setRaw(key, "NetCfgInstanceId", REG_SZ, text(instanceId));
        if (description != nullptr) setRaw(key, "DriverDesc", REG_SZ, text(description));
        RegCloseKey(key);
    }
    AdapterInfo slot(int index) {
        AdapterInfo info;
        EXPECT_EQ(1, catalog.adapterAt(index, &info));
        return info;
    }
    ProfileCatalog catalog{kCatalogFilePath};
};

TEST_F(Discovery, TheSeededMachineListsItsConnectionsUntilReleased) {
    ASSERT_EQ(1, seedSimulatedMachine());
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(2, catalog.adapterCount());
    const AdapterInfo lan = slot(0);
    EXPECT_STREQ(kLanName, lan.connectionName);
    EXPECT_STREQ(kLanInstanceId, lan.instanceId);
    EXPECT_STREQ("Intel(R) PRO/100 VE Network Connection", lan.description);
    EXPECT_STREQ(kWirelessName, slot(1).connectionName);
    EXPECT_EQ(0, catalog.discover()) << "a filled list is not read again";
    AdapterInfo out;
    EXPECT_EQ(0, catalog.adapterAt(-1, &out));
    EXPECT_EQ(0, catalog.adapterAt(20, &out));
    EXPECT_EQ(1, catalog.releaseAdapters());
    EXPECT_EQ(0, catalog.adapterCount());
    EXPECT_EQ(1, catalog.releaseAdapters()) << "releasing twice is harmless";
    EXPECT_EQ(1, catalog.discover());
    EXPECT_EQ(2, catalog.adapterCount());
}

TEST_F(Discovery, AtMostTwentyConnectionsAndOnlyRealOnes) {
    EXPECT_EQ(0, catalog.discover()) << "no network class key";
    for (int n = 0; n < 23; ++n) RegCloseKey(connection(id(n), n == 3 ? nullptr : ("conn " + std::to_string(n)).c_str()));
    RegCloseKey(createKey(std::string(kNetworkClassKey) + "\\" + id(1) + "x"));  // no Connection subkey
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(20, catalog.adapterCount());
    EXPECT_STREQ("conn 4", slot(3).connectionName) << "conn 3 has no Name";
    EXPECT_STREQ("conn 20", slot(19).connectionName);
}

TEST_F(Discovery, TcpIpValuesReadAsTheRegistryGivesThem) {
    const DWORD sz = REG_SZ, multi = REG_MULTI_SZ, number = REG_DWORD;
    struct Case {
        const char* name;
        std::vector<std::pair<const char*, std::pair<DWORD, std::string>>> values;
        int addressAuto;
        uint32_t address, mask, gateway;
        int dnsAuto;
        uint32_t preferred, alternate;
    };
    const std::vector<Case> cases = {
        {"seeded fixed",
         {{"EnableDHCP", {number, dword(0)}}, {"IPAddress", {multi, std::string("10.0.0.5\0" "10.0.0.6\0\0", 19)}},
          {"SubnetMask", {multi, text("255.0.0.0") + '\0'}}, {"DefaultGateway", {multi, text("10.0.0.1") + '\0'}},
          {"NameServer", {sz, text("10.0.0.1,10.0.0.2,10.0.0.3")}}},
         0, quad(10, 0, 0, 5), quad(255, 0, 0, 0), quad(10, 0, 0, 1), 0, quad(10, 0, 0, 1), quad(10, 0, 0, 2)},
        {"dhcp with a stale address",
         {{"EnableDHCP", {number, dword(1)}}, {"IPAddress", {multi, text("10.1.1.1") + '\0'}}, {"NameServer", {sz, ""}}},
         1, 0, 0, 0, 1, 0, 0},
        {"no EnableDHCP", {{"IPAddress", {multi, text("10.1.1.1") + '\0'}}}, 1, 0, 0, 0, 1, 0, 0},
        {"fixed with an empty NameServer", {{"EnableDHCP", {number, dword(0)}}, {"NameServer", {sz, ""}}}, 0, 0, 0, 0, 0, 0, 0},
        {"leading comma", {{"NameServer", {sz, text(",10.0.0.2")}}}, 1, 0, 0, 0, 0, quad(10, 0, 0, 2), 0},
        {"blank separated", {{"NameServer", {sz, text("10.0.0.1 10.0.0.2")}}}, 1, 0, 0, 0, 0, quad(10, 0, 0, 1), 0},
        {"wrong types",
         {{"EnableDHCP", {sz, text("0")}}, {"IPAddress", {number, dword(0x0A000001)}},
          {"DefaultGateway", {sz, text("10.0.0.254")}}},
         0, 0, 0, quad(10, 0, 0, 254), 1, 0, 0},
        {"multi-string without terminators", {{"EnableDHCP", {number, dword(0)}}, {"IPAddress", {multi, "10.0.0.9"}}},
         0, quad(10, 0, 0, 9), 0, 0, 1, 0, 0},
        {"64 KB NameServer", {{"NameServer", {sz, text(std::string(65536, '7'))}}}, 1, 0, 0, 0, 0, 0x71000000u, 0},
        {"10,000 commas", {{"NameServer", {sz, text(std::string(10000, ','))}}}, 1, 0, 0, 0, 0, 0, 0},
        {"no interface key", {}, 1, 0, 0, 0, 1, 0, 0},
    };
    const size_t last = cases.size() - 1;
    for (size_t i = 0; i < cases.size(); ++i) {
        HKEY key = connection(id(static_cast<int>(i)), cases[i].name);
        for (const auto& value : cases[i == last ? 0 : i].values) setRaw(key, value.first, value.second.first, value.second.second);
        RegCloseKey(key);
    }
    // The last slot is filled once, then read again without its interface key.
    ASSERT_EQ(1, catalog.discover());
    catalog.releaseAdapters();
    deleteKeyTree(HKEY_LOCAL_MACHINE, interfaceKeyPath(id(static_cast<int>(last))));
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(static_cast<int>(cases.size()), catalog.adapterCount());
    for (size_t i = 0; i < cases.size() + 1; ++i) {
        // One slot past the list: an unused slot holds nothing and reads as automatic.
        const Case& c = i < cases.size() ? cases[i] : Case{nullptr, {}, 1, 0, 0, 0, 1, 0, 0};
        SCOPED_TRACE(c.name != nullptr ? c.name : "unused slot");
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
    RegCloseKey(connection(id(0), "exact"));
    RegCloseKey(connection(id(1), "no description"));
    RegCloseKey(connection("{ABCDEF00-0000-0000-0000-000000000002}", "case differs"));
    driver(0, id(0), "first");
    driver(1, id(0), "second");
    driver(2, id(1), nullptr);
    driver(3, "{abcdef00-0000-0000-0000-000000000002}", "lower case id");
    for (DescriptionScan scan : {DescriptionScan::Once, DescriptionScan::PerConnection}) {
        ASSERT_EQ(1, catalog.discover(scan));
        ASSERT_EQ(3, catalog.adapterCount());
        EXPECT_STREQ("second", slot(0).description);
        EXPECT_EQ(nullptr, slot(1).description);
        EXPECT_EQ(nullptr, slot(2).description);
        catalog.releaseAdapters();
    }
}

}  // namespace
