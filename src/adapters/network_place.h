// Which network the notebook is plugged into: what a profile recorded of its network when
// it was saved (each default gateway's address and hardware address, a DHCP connection's
// server and DNS suffix), what the connections see now, and the rule that tells whether
// the two are one place. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

class GrowingText;

constexpr int kMaxPlaceEntries = 8;
constexpr int kMaxPlaceConnections = 20;
// A DNS suffix of at most 63 bytes (a DNS label's length) is kept; letters, digits, "-",
// "_" and "." only, so that the catalogue gives it back as it was.
constexpr size_t kDomainSize = 64;

// The keys of a profile's section: what it recorded, and whether it is switched to.
constexpr char kNetworkKey[] = "network";      // "192.168.1.1 00-0D-0B-12-34-56,10.0.0.1,dhcp 192.168.1.1 home.example"
constexpr char kAutoSwitchKey[] = "autoswitch";  // "1": applied on arrival without asking
constexpr size_t kNetworkValueSize = kMaxPlaceEntries * (6 + 16 + kDomainSize);
constexpr char kDhcpWord[] = "dhcp ";

struct HardwareAddress {
    uint8_t bytes[6];
    uint8_t known;  // 0: nothing answered for it
};

// One piece of evidence: a default gateway (and what answered for it), or a DHCP server
// and the DNS suffix it gave.
struct PlaceEntry {
    uint8_t dhcp;
    uint32_t address;  // packed, first dotted part in bits 31..24
    HardwareAddress hardware;
    char domain[kDomainSize];
};

// What a profile recorded of its network.
struct PlaceRecord {
    int count;
    PlaceEntry entries[kMaxPlaceEntries];
    int unreadable;  // its key could not be read: the record is not used
};

// One connection as it is now: the address the registry holds for it (IPAddress for a
// fixed one, DhcpIPAddress for DHCP), its default gateway and what answers for it, and,
// on DHCP, its server and DNS suffix.
struct ConnectionNow {
    uint32_t address;
    uint32_t gateway;
    HardwareAddress hardware;
    uint8_t dhcp;
    uint32_t dhcpServer;
    char dhcpDomain[kDomainSize];
};

struct NetworkNow {
    int count;
    ConnectionNow connections[kMaxPlaceConnections];
};

// An address that says the connection is on a network: not 0.0.0.0, not 169.254.x.x
// (what Windows takes when no DHCP server answered).
int isNetworkAddress(uint32_t address);
// A DNS suffix the catalogue can keep: see kDomainSize.
int isKeepableDomain(const char* domain);

// What a save records: the gateway of every connection on a network (once each), and the
// server and suffix of every such DHCP connection that has both.
void recordPlace(const NetworkNow& now, PlaceRecord* out);

// 1 when the record matches the network now, with the evidence: the connection's gateway
// and its hardware address, or its DHCP server and suffix. It matches when a connection on a network has a gateway whose hardware address the
// record holds; failing that, when neither the record nor that connection's gateway has a
// hardware address, and its DHCP server and suffix are both recorded and both equal.
// Nothing else matches; an unreadable record never does.
int matchPlace(const PlaceRecord& record, const NetworkNow& now, PlaceEntry* evidence);
// 1 when the record holds a hardware address: a record that does not match is then known
// to be of another network.
int recordsHardware(const PlaceRecord& record);

// A value that stands for the network: the hardware addresses of the gateways of the
// connections on a network, or the DHCP server and suffix where none answered. It
// changes when the notebook is plugged elsewhere, not when a profile changes an address.
uint32_t networkSignature(const NetworkNow& now);

// The key's value, and its reading: 0, with the record marked unreadable, when the value
// holds anything else than what the writing gives (an empty one is no record).
void formatPlaceValue(const PlaceRecord& record, char* out, size_t outSize);
int readPlaceValue(const char* value, PlaceRecord* record);

// "このネットワークは「NAME」を保存したときと同じようです（ゲートウェイ A MAC）。" or
// "（DHCP サーバー A、DNS サフィックス S）。"
void sayPlaceMatch(const char* name, const PlaceEntry& evidence, GrowingText& text);
// "「NAME」の設定のままですが、NAMEのネットワークではないようです。"
void sayNotItsPlace(const char* name, GrowingText& text);
// "「NAME」のネットワークにつながりました。クリックすると切り替えます。"
void sayArrivalOffer(const char* name, GrowingText& text);
