// Adapter discovery on registry contents the tests build in the simulation's places.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "adapters/settings_readback.h"
#include "machine_seed.h"
#include "netcmd/netsh_text.h"
#include "profiles/profile_catalog.h"
#include "sim_registry.h"

namespace {

// Writes "Name=t:data|..." into a new key: t is d (REG_DWORD, decimal), s (REG_SZ; an
// empty text keeps its terminator, as Windows writes it), m (REG_MULTI_SZ, strings
// separated by commas), r (REG_MULTI_SZ without any terminator) or 0 (REG_SZ of no bytes).
void writeKey(const std::string& path, const std::string& values) {
    HKEY key = createMachineKey(path);
    std::istringstream items(values);
    for (std::string item; std::getline(items, item, '|');) {
        const std::string name = item.substr(0, item.find('=')), data = item.substr(name.size() + 3);
        std::vector<std::string> strings;
        std::istringstream pieces(data);
        for (std::string piece; std::getline(pieces, piece, ',');) strings.push_back(piece);
        switch (item[name.size() + 1]) {
        case 'd': writeNumber(key, name.c_str(), std::stoul(data)); break;
        case 's': writeText(key, name.c_str(), data); break;
        case '0': RegSetValueExA(key, name.c_str(), 0, REG_SZ, nullptr, 0); break;
        case 'm': writeMultiText(key, name.c_str(), strings); break;
        default: RegSetValueExA(key, name.c_str(), 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data.data()), data.size());
        }
    }
    RegCloseKey(key);
}

std::string quad(uint32_t address) {
    char text[16];
    formatDottedQuad(address, text);
    return text;
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
    static std::string id(int n) { return "{00000000-0000-0000-0000-" + std::to_string(100000000000 + n) + "}"; }
    // A connection with a name (null: none) and the values of its interface key.
    static void connection(const std::string& instanceId, const char* name, const std::string& values = "") {
        writeKey(std::string(kNetworkClassKey) + "\\" + instanceId + "\\Connection", name ? std::string("Name=s:") + name : "");
        writeKey(interfaceKeyPath(instanceId), values);
    }
    static void driver(const char* entry, const std::string& instanceId, const char* description) {
        writeKey(std::string(kDeviceClassKey) + "\\" + entry,
                 "NetCfgInstanceId=s:" + instanceId + (description ? std::string("|DriverDesc=s:") + description : ""));
    }
    // A slot as "name: auto|fixed ADDRESS MASK GATEWAY / auto|fixed DNS1 DNS2 (description)".
    std::string slot(int index) {
        AdapterInfo a;
        if (!catalog.adapterAt(index, &a)) return "no slot";
        return std::string(a.connectionName ? a.connectionName : "(null)") + ": " + (a.addressAuto ? "auto " : "fixed ") +
               quad(a.address) + " " + quad(a.subnetMask) + " " + quad(a.gateway) + (a.dnsAuto ? " / auto " : " / fixed ") +
               quad(a.preferredDns) + " " + quad(a.alternateDns) + " (" + (a.description ? a.description : "null") + ")";
    }
    ProfileCatalog catalog{kCatalogFilePath};
};

TEST_F(Discovery, AtMostTwentyConnectionsAndOnlyRealOnes) {
    EXPECT_EQ(0, catalog.discover()) << "no network class key";
    for (int n = 0; n < 23; ++n) connection(id(n), n == 3 ? nullptr : ("conn " + std::to_string(n)).c_str());
    RegCloseKey(createMachineKey(std::string(kNetworkClassKey) + "\\" + id(1) + "x"));  // no Connection subkey
    ASSERT_EQ(1, catalog.discover());
    ASSERT_EQ(20, catalog.adapterCount());
    EXPECT_EQ(0u, slot(3).find("conn 4:")) << "conn 3 has no Name";
    EXPECT_EQ(0u, slot(19).find("conn 20:"));
    EXPECT_EQ("no slot", slot(-1));
    EXPECT_EQ("no slot", slot(20));
}

TEST_F(Discovery, TcpIpValuesReadAsTheRegistryGivesThem) {
    const std::string fixed = "EnableDHCP=d:0|IPAddress=m:10.0.0.5,10.0.0.6|SubnetMask=m:255.0.0.0|"
                              "DefaultGateway=m:10.0.0.1|NameServer=s:10.0.0.1,10.0.0.2,10.0.0.3";
    const struct { std::string values; const char* slot; } cases[] = {
        {fixed, "fixed 10.0.0.5 255.0.0.0 10.0.0.1 / fixed 10.0.0.1 10.0.0.2"},
        {"EnableDHCP=d:1|IPAddress=m:10.1.1.1|NameServer=0:", "auto 0.0.0.0 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0"},
        {"IPAddress=m:10.1.1.1", "auto 0.0.0.0 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0"},
        {"EnableDHCP=d:0|NameServer=s:", "fixed 0.0.0.0 0.0.0.0 0.0.0.0 / fixed 0.0.0.0 0.0.0.0"},
        {"EnableDHCP=s:0|IPAddress=d:167772161|DefaultGateway=s:10.0.0.254",  // wrong types
         "fixed 0.0.0.0 0.0.0.0 10.0.0.254 / fixed 0.0.0.0 0.0.0.0"},
        // No NameServer on a fixed address: fixed DNS with blank servers.
        {"EnableDHCP=d:0|IPAddress=r:10.0.0.9", "fixed 10.0.0.9 0.0.0.0 0.0.0.0 / fixed 0.0.0.0 0.0.0.0"},
        {fixed, "auto 0.0.0.0 0.0.0.0 0.0.0.0 / auto 0.0.0.0 0.0.0.0"},  // read again without its interface key
    };
    const int count = sizeof cases / sizeof cases[0];
    for (int i = 0; i < count; ++i) connection(id(i), ("c" + std::to_string(i)).c_str(), cases[i].values);
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
    driver("0000", id(0), "first");
    driver("0001", id(0), "second");
    driver("0002", id(1), nullptr);
    driver("0003", "{abcdef00-0000-0000-0000-000000000002}", "lower case id");
    for (DescriptionScan scan : {DescriptionScan::Once, DescriptionScan::PerConnection}) {
        ASSERT_EQ(1, catalog.discover(scan));
        ASSERT_EQ(3, catalog.adapterCount());
        const std::string descriptions = slot(0).substr(slot(0).find('(')) + slot(1).substr(slot(1).find('(')) +
                                         slot(2).substr(slot(2).find('('));
        EXPECT_EQ("(second)(null)(null)", descriptions);
        catalog.releaseAdapters();
    }
}

// A script's connections are picked from one reading by name, letter case aside; a name
// two connections share, or one whose settings could not be read, cannot be judged.
TEST(SettingsReadback, ConnectionsArePickedByNameAndASharedNameCannotBeJudged) {
    HeldConnection items[3];
    const char* const names[3] = {"LAN", "Wireless", "lan"};
    for (int i = 0; i < 3; ++i) {
        resetConnectionSettings(&items[i].settings, names[i]);
        items[i].settings.addresses = {1, {0x0A000001u + i}};
    }
    const struct { int machineCount, unreadable, whole; const char* script; int readable; const char* present; } cases[] = {
        {2, -1, 1, "set address name=wireless source=dhcp\nset address name=Gone source=dhcp\n", 1, "10"},
        {2, 0, 1, "set address name=Wireless source=dhcp\n", 1, "1"},  // an unread one it does not name
        {2, 0, 1, "set address name=LAN source=dhcp\n", 0, "1"},
        {3, -1, 1, "set address name=LAN source=dhcp\n", 0, "1"},
        {2, -1, 0, "set address name=LAN source=dhcp\n", 0, "1"},
    };
    static ScriptSettings asked, held;
    for (size_t c = 0; c < sizeof cases / sizeof cases[0]; ++c) {
        for (int i = 0; i < 3; ++i) items[i].readable = i != cases[c].unreadable;
        const MachineSettings machine = {items, cases[c].machineCount, cases[c].machineCount, cases[c].whole};
        const std::string script = std::string("pushd interface ip\n") + cases[c].script + "popd\n";
        readNetshScript(script.data(), script.size(), &asked);
        EXPECT_EQ(cases[c].readable, pickHeldSettings(asked, machine, &held)) << "case " << c;
        std::string present;
        for (int i = 0; i < held.connectionCount; ++i) present += held.connections[i].present ? "1" : "0";
        EXPECT_EQ(cases[c].present, present) << "case " << c;
        EXPECT_EQ(present[0] == '1' ? 1 : 0, held.connections[0].addresses.count) << "case " << c;
    }
}

}  // namespace
