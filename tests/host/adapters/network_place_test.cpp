#include "adapters/network_place.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/arrival_rules.h"
#include "common/text_builder.h"

namespace {

constexpr uint32_t kGateway = 0xC0A80101;  // 192.168.1.1
constexpr HardwareAddress kHome = {{0x00, 0x0D, 0x0B, 0x12, 0x34, 0x56}, 1};
constexpr HardwareAddress kNeighbour = {{0x00, 0x1D, 0x7E, 0xAB, 0xCD, 0xEF}, 1};
constexpr HardwareAddress kNone = {{0, 0, 0, 0, 0, 0}, 0};

ConnectionNow connection(uint32_t address, HardwareAddress hardware, int dhcp = 0, const char* domain = "home.example") {
    ConnectionNow c = {address, kGateway, hardware, static_cast<uint8_t>(dhcp), dhcp ? kGateway : 0u, ""};
    if (dhcp) std::strcpy(c.dhcpDomain, domain);
    return c;
}

NetworkNow network(std::initializer_list<ConnectionNow> connections) {
    NetworkNow now = {};
    for (const ConnectionNow& c : connections) now.connections[now.count++] = c;
    return now;
}

PlaceRecord recorded(const char* value) {
    PlaceRecord record;
    EXPECT_TRUE(readPlaceValue(value, &record)) << value;
    return record;
}

std::string text(void (*say)(const char*, GrowingText&), const char* name) {
    GrowingText out;
    say(name, out);
    char* joined = nullptr;
    out.hand(&joined);
    std::string result = joined != nullptr ? joined : "";
    delete[] joined;
    return result;
}

// A gateway's hardware address tells the place; the DHCP server and suffix only where
// neither the record nor the connection has one; a connection without a network address
// tells nothing.
TEST(NetworkPlace, APlaceIsKnownByItsGatewaysHardwareAddressAndByDhcpOnlyWithoutOne) {
    const char* home = "192.168.1.1 00-0D-0B-12-34-56";
    const char* homeByDhcp = "192.168.1.1,dhcp 192.168.1.1 home.example";
    const struct {
        const char* record;
        NetworkNow now;
        int matches;
        int byDhcp;
    } cases[] = {
        {home, network({connection(0xC0A80121, kHome)}), 1, 0},
        {home, network({connection(0xC0A80121, kNeighbour)}), 0, 0},       // same address, another router
        {home, network({connection(0xC0A80121, kNone)}), 0, 0},            // the gateway did not answer
        {home, network({connection(0, kHome)}), 0, 0},                     // 0.0.0.0: on no network
        {home, network({connection(0xA9FE0102, kHome)}), 0, 0},            // 169.254.x.x: no DHCP server answered
        {home, network({connection(0xA9FE0102, kHome), connection(0xC0A80121, kHome)}), 1, 0},  // the second counts
        {home, network({connection(0x0A000014, kNeighbour), connection(0xC0A80121, kHome)}), 1, 0},
        {homeByDhcp, network({connection(0xC0A80121, kNone, 1)}), 1, 1},
        {homeByDhcp, network({connection(0xC0A80121, kNone, 1, "cafe.example")}), 0, 0},  // another suffix
        {homeByDhcp, network({connection(0xC0A80121, kHome, 1)}), 0, 0},  // the connection has a hardware address
        {homeByDhcp, network({connection(0xC0A80121, kNone, 0)}), 0, 0},  // a fixed address has no DHCP evidence
        {"192.168.1.1 00-0D-0B-12-34-56,dhcp 192.168.1.1 home.example", network({connection(0xC0A80121, kNone, 1)}), 0,
         0},  // the record has a hardware address
        {"", network({connection(0xC0A80121, kHome)}), 0, 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        PlaceEntry evidence;
        std::memset(&evidence, 0xCC, sizeof evidence);
        EXPECT_EQ(cases[i].matches, matchPlace(recorded(cases[i].record), cases[i].now, &evidence)) << "case " << i;
        if (cases[i].matches) EXPECT_EQ(cases[i].byDhcp, evidence.dhcp) << "case " << i;
    }
}

// What a save records reads back as the same record, and its evidence is told.
TEST(NetworkPlace, ASaveRecordsEachGatewayOnceAndItsValueReadsBack) {
    const NetworkNow now = network({connection(0xC0A80121, kHome, 1), connection(0xC0A80122, kHome, 1),
                                    connection(0, kNeighbour), connection(0x0A000014, kNone)});
    PlaceRecord record;
    recordPlace(now, &record);
    char value[kNetworkValueSize];
    formatPlaceValue(record, value, sizeof value);
    EXPECT_STREQ("192.168.1.1 00-0D-0B-12-34-56,dhcp 192.168.1.1 home.example", value);
    PlaceRecord again;
    ASSERT_TRUE(readPlaceValue(value, &again));
    PlaceEntry evidence;
    ASSERT_TRUE(matchPlace(again, now, &evidence));
    GrowingText said;
    sayPlaceMatch("自宅", evidence, said);
    char* line = nullptr;
    said.hand(&line);
    EXPECT_STREQ("このネットワークは「自宅」を保存したときと同じようです（ゲートウェイ 192.168.1.1 00-0D-0B-12-34-56）。", line);
    delete[] line;
    EXPECT_EQ("「事務所」の設定のままですが、事務所のネットワークではないようです。", text(sayNotItsPlace, "事務所"));
    EXPECT_EQ("「自宅」のネットワークにつながりました。クリックすると切り替えます。", text(sayArrivalOffer, "自宅"));
}

// A hand-edited value is used only when it reads back as written; otherwise no record.
TEST(NetworkPlace, AValueThatIsNotAsWrittenIsNoRecord) {
    const char* odd[] = {
        "192.168.1.1 00-0d-0b-12-34-56", "192.168.1.1  00-0D-0B-12-34-56", "192.168.001.1", "192.168.1",
        "192.168.1.1 00-0D-0B-12-34", "192.168.1.1,", ",192.168.1.1", "dhcp 192.168.1.1", "dhcp 192.168.1.1 a b",
        "dhcp 192.168.1.1 ホーム", "1.1.1.1,2.2.2.2,3.3.3.3,4.4.4.4,5.5.5.5,6.6.6.6,7.7.7.7,8.8.8.8,9.9.9.9",
    };
    for (const char* value : odd) {
        PlaceRecord record;
        std::memset(&record, 0xCC, sizeof record);
        EXPECT_FALSE(readPlaceValue(value, &record)) << value;
        EXPECT_EQ(0, record.count) << value;
        PlaceEntry evidence;
        EXPECT_FALSE(matchPlace(record, network({connection(0xC0A80121, kHome)}), &evidence)) << value;
    }
}

// The value that stands for the network follows the gateways' hardware addresses, not
// the connections' own addresses.
TEST(NetworkPlace, TheNetworksSignatureFollowsTheGatewaysNotTheAddresses) {
    const uint32_t home = networkSignature(network({connection(0xC0A80121, kHome)}));
    EXPECT_EQ(home, networkSignature(network({connection(0xC0A80199, kHome)})));
    EXPECT_NE(home, networkSignature(network({connection(0xC0A80121, kNeighbour)})));
    EXPECT_NE(home, networkSignature(network({connection(0xC0A80121, kNone, 1)})));
    EXPECT_NE(networkSignature(network({connection(0xC0A80121, kNone, 1)})),
              networkSignature(network({connection(0xC0A80121, kNone, 1, "cafe.example")})));
}

// One arrival, acted on once: an offer or an automatic apply, nothing for a change an
// apply made within 10 s, and a profile whose automatic apply did not take held back
// until the network changes again.
TEST(ArrivalRules, EachNetworkIsActedOnOnceAndAFailedProfileWaitsForTheNext) {
    ArrivalRules rules;
    rules.start(1);
    EXPECT_EQ(ArrivalStep::Nothing, rules.decide({1, 1, 0, 1, 0}));  // the network the tool started on
    EXPECT_EQ(ArrivalStep::Offer, rules.decide({2, 1, 3, 0, -1}));
    EXPECT_EQ(ArrivalStep::Nothing, rules.decide({2, 1, 3, 0, -1}));  // once
    EXPECT_EQ(ArrivalStep::Nothing, rules.decide({3, 2, 4, 0, -1}));  // two candidates: none offered
    EXPECT_EQ(ArrivalStep::Apply, rules.decide({4, 2, 4, 1, 4}));     // one automatic among them
    rules.applied("Home", 0);  // ASCII: the host's texts are UTF-8, the cut reads Shift-JIS
    EXPECT_TRUE(rules.heldBack("Home"));
    rules.notice(5, 100000 + 9999, 100000);  // what the apply changed
    EXPECT_FALSE(rules.pending(5));
    EXPECT_TRUE(rules.heldBack("Home"));
    rules.notice(6, 100000 + 10000, 100000);  // plugged elsewhere afterwards
    EXPECT_TRUE(rules.pending(6));
    EXPECT_FALSE(rules.heldBack("Home"));
}

TEST(SwitchLog, TheLastLinesAreKeptAndAVerdictTakesOneLine) {
    const std::string log = "1\r\n2\r\n3\r\n";
    EXPECT_EQ(log.size() - 6, lastLinesStart(log.data(), log.size(), 2));
    EXPECT_EQ(0u, lastLinesStart(log.data(), log.size(), 3));
    EXPECT_EQ(0u, lastLinesStart(log.data(), log.size(), 200));
    EXPECT_EQ(2u, lastLinesStart("1\n2", 3, 1));  // a last line without its break
    GrowingText flat;
    addFlattened("適応できませんでした。\n\n反映されていない設定：\r\nDNS", flat);
    char* line = nullptr;
    flat.hand(&line);
    EXPECT_STREQ("適応できませんでした。 /  / 反映されていない設定： / DNS", line);
    delete[] line;
}

}  // namespace
