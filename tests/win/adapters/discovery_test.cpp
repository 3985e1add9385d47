// Adapter discovery on registry contents the tests build in the simulation's places.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "machine_seed.h"
#include "netcmd/netsh_text.h"
#include "profiles/profile_catalog.h"
#include "sim_registry.h"

namespace {

HKEY createKey(const std::string& path) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

// Writes values given as "Name=t:data|...": t is d (REG_DWORD, decimal), s (REG_SZ; an
// empty text is stored without data), m (REG_MULTI_SZ, strings separated by commas) or
// r (REG_MULTI_SZ without any terminator).
void writeValues(HKEY key, const std::string& values) {
    for (size_t start = 0; start < values.size();) {
        const size_t end = std::min(values.find('|', start), values.size());
        const std::string item = values.substr(start, end - start);
        const size_t equals = item.find('=');
        const char type = item[equals + 1];
        std::string data = item.substr(equals + 3);
        DWORD kind = type == 'd' ? REG_DWORD : type == 's' ? REG_SZ : REG_MULTI_SZ;
        if (type == 'd') {
            const DWORD number = std::stoul(data);
            data.assign(reinterpret_cast<const char*>(&number), 4);
        } else if (type == 'm') {
            for (char& c : data) c = c == ',' ? '\0' : c;
            data += std::string(2, '\0');
        } else if (type == 's' && !data.empty()) {
            data += '\0';
        }
        RegSetValueExA(key, item.substr(0, equals).c_str(), 0, kind, reinterpret_cast<const BYTE*>(data.data()),
                       static_cast<DWORD>(data.size()));
        start = end + 1;
    }
}

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
    // A connection with a name (null: none) and the values of its interface key.
    static void connection(const std::string& instanceId, const char* name, const std::string& values = "") {
        HKEY key = createKey(std::string(kNetworkClassKey) + "\\" + instanceId + "\\Connection");
        if (name != nullptr) writeValues(key, std::string("Name=s:") + name);
        RegCloseKey(key);
        key = createKey(interfaceKeyPath(instanceId));
        writeValues(key, values);
        RegCloseKey(key);
    }
    static void driver(int entry, const std::string& instanceId, const char* description) {
        char name[8];
        snprintf(name, sizeof name, "%04d", entry);
        HKEY key = createKey(std::string(kDeviceClassKey) + "\\" + name);
        writeValues(key, "NetCfgInstanceId=s:" + instanceId + (description ? std::string("|DriverDesc=s:") + description : ""));
        RegCloseKey(key);
    }
    // A slot as "name: auto|fixed ADDRESS MASK GATEWAY / auto|fixed DNS1 DNS2 (description)".
    std::string slot(int index) {
        AdapterInfo info;
        if (!catalog.adapterAt(index, &info)) return "no slot";
        std::string out = std::string(info.connectionName ? info.connectionName : "(null)") + ": ";
        out += info.addressAuto == 1 ? "auto" : info.addressAuto == 0 ? "fixed" : "?";
        auto quads = [&out](std::initializer_list<uint32_t> addresses) {
            char quad[16];
            for (uint32_t address : addresses) {
                formatDottedQuad(address, quad);
                out += std::string(" ") + quad;
            }
        };
        quads({info.address, info.subnetMask, info.gateway});
        out += info.dnsAuto == 1 ? " / auto" : info.dnsAuto == 0 ? " / fixed" : " / ?";
        quads({info.preferredDns, info.alternateDns});
        return out + " (" + (info.description ? info.description : "null") + ")";
    }
    ProfileCatalog catalog{kCatalogFilePath};
};

TEST_F(Discovery, TheSeededMachineListsItsConnectionsUntilReleased) {
    ASSERT_EQ(1, seedSimulatedMachine());
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(2, catalog.adapterCount());
    EXPECT_EQ(std::string(kLanName) + ": fixed 192.168.0.10 255.255.255.0 192.168.0.1 / fixed 192.168.0.1 192.168.0.2 "
              "(Intel(R) PRO/100 VE Network Connection)", slot(0));
    EXPECT_EQ(std::string(kWirelessName) + ": auto 0.0.0.0 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0 "
              "(Intel(R) PRO/Wireless 2200BG Network Connection)", slot(1));
    EXPECT_EQ(0, catalog.discover()) << "a filled list is not read again";
    EXPECT_EQ("no slot", slot(-1));
    EXPECT_EQ("no slot", slot(20));
    EXPECT_EQ(1, catalog.releaseAdapters());
    EXPECT_EQ(0, catalog.adapterCount());
    EXPECT_EQ(1, catalog.releaseAdapters()) << "releasing twice is harmless";
    EXPECT_EQ(1, catalog.discover());
    EXPECT_EQ(2, catalog.adapterCount());
}

TEST_F(Discovery, AtMostTwentyConnectionsAndOnlyRealOnes) {
    EXPECT_EQ(0, catalog.discover()) << "no network class key";
    for (int n = 0; n < 23; ++n) connection(id(n), n == 3 ? nullptr : ("conn " + std::to_string(n)).c_str());
    RegCloseKey(createKey(std::string(kNetworkClassKey) + "\\" + id(1) + "x"));  // no Connection subkey
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(20, catalog.adapterCount());
    EXPECT_EQ(0u, slot(3).find("conn 4:")) << "conn 3 has no Name";
    EXPECT_EQ(0u, slot(19).find("conn 20:"));
}

TEST_F(Discovery, TcpIpValuesReadAsTheRegistryGivesThem) {
    const std::string fixed = "EnableDHCP=d:0|IPAddress=m:10.0.0.5,10.0.0.6|SubnetMask=m:255.0.0.0|"
                              "DefaultGateway=m:10.0.0.1|NameServer=s:10.0.0.1,10.0.0.2,10.0.0.3";
    const struct {
        std::string values;
        const char* slot;
    } cases[] = {
        {fixed, "fixed 10.0.0.5 255.0.0.0 10.0.0.1 / fixed 10.0.0.1 10.0.0.2"},
        {"EnableDHCP=d:1|IPAddress=m:10.1.1.1|NameServer=s:", "auto 0.0.0.0 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0"},
        {"IPAddress=m:10.1.1.1", "auto 0.0.0.0 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0"},
        {"EnableDHCP=d:0|NameServer=s:", "fixed 0.0.0.0 0.0.0.0 0.0.0.0 / fixed 0.0.0.0 0.0.0.0"},
        {"NameServer=s:,10.0.0.2", "auto 0.0.0.0 0.0.0.0 0.0.0.0 / fixed 10.0.0.2 0.0.0.0"},
        {"NameServer=s:10.0.0.1 10.0.0.2", "auto 0.0.0.0 0.0.0.0 0.0.0.0 / fixed 10.0.0.1 0.0.0.0"},
        {"EnableDHCP=s:0|IPAddress=d:167772161|DefaultGateway=s:10.0.0.254",  // wrong types
         "fixed 0.0.0.0 0.0.0.0 10.0.0.254 / auto 0.0.0.0 0.0.0.0"},
        {"EnableDHCP=d:0|IPAddress=r:10.0.0.9", "fixed 10.0.0.9 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0"},
        // 19 sevens, kept modulo 65536 as 7281, spill into the bytes above.
        {"NameServer=s:" + std::string(65536, '7'), "auto 0.0.0.0 0.0.0.0 0.0.0.0 / fixed 113.0.0.0 0.0.0.0"},
        {"NameServer=s:" + std::string(10000, ','), "auto 0.0.0.0 0.0.0.0 0.0.0.0 / fixed 0.0.0.0 0.0.0.0"},
        {fixed, "auto 0.0.0.0 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0"},  // read again without its interface key
    };
    const int count = sizeof cases / sizeof cases[0];
    for (int i = 0; i < count; ++i) connection(id(i), ("c" + std::to_string(i)).c_str(), cases[i].values);
    // The last slot is filled once, then read again without its interface key.
    ASSERT_EQ(1, catalog.discover());
    catalog.releaseAdapters();
    deleteKeyTree(HKEY_LOCAL_MACHINE, interfaceKeyPath(id(count - 1)));
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(count, catalog.adapterCount());
    for (int i = 0; i < count; ++i)
        EXPECT_EQ("c" + std::to_string(i) + ": " + cases[i].slot + " (null)", slot(i)) << cases[i].values.substr(0, 60);
    EXPECT_EQ("(null): auto 0.0.0.0 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0 (null)", slot(count)) << "an unused slot";
}

TEST_F(Discovery, DescriptionsMatchTheIdExactlyAndTheLaterEntryWins) {
    connection(id(0), "exact");
    connection(id(1), "no description");
    connection("{ABCDEF00-0000-0000-0000-000000000002}", "case differs");
    driver(0, id(0), "first");
    driver(1, id(0), "second");
    driver(2, id(1), nullptr);
    driver(3, "{abcdef00-0000-0000-0000-000000000002}", "lower case id");
    for (DescriptionScan scan : {DescriptionScan::Once, DescriptionScan::PerConnection}) {
        ASSERT_EQ(1, catalog.discover(scan));
        ASSERT_EQ(3, catalog.adapterCount());
        const std::string descriptions = slot(0).substr(slot(0).find('(')) + slot(1).substr(slot(1).find('(')) +
                                         slot(2).substr(slot(2).find('('));
        EXPECT_EQ("(second)(null)(null)", descriptions);
        catalog.releaseAdapters();
    }
}

}  // namespace
