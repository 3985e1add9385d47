#include "network_place.h"

#include <cstring>

#include "../common/dotted_quad.h"
#include "../common/profile_text.h"
#include "../common/text_builder.h"

namespace {

int sameHardware(const HardwareAddress& a, const HardwareAddress& b) {
    int same = a.known && b.known;
    for (int i = 0; i < 6; ++i) same = same && a.bytes[i] == b.bytes[i];
    return same;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

int isDomainChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.';
}

// "00-0D-0B-12-34-56"; whether it was written so is checked by writing it again.
void readHardware(const char*& p, HardwareAddress* out) {
    for (int i = 0; i < 6; ++i) {
        if (i > 0 && *p == '-') ++p;
        const int high = hexDigit(p[0]);
        const int low = high >= 0 ? hexDigit(p[1]) : -1;
        if (low < 0) return;
        out->bytes[i] = static_cast<uint8_t>(high * 16 + low);
        p += 2;
    }
    out->known = 1;
}

// "dhcp SERVER SUFFIX", or "GATEWAY" with " HARDWARE" when one answered; read as far as
// it goes, up to the next ",".
void readEntry(const char*& p, PlaceEntry* entry) {
    size_t word = 0;
    while (word + 1 < sizeof kDhcpWord && p[word] == kDhcpWord[word]) ++word;
    entry->dhcp = word + 1 == sizeof kDhcpWord;
    if (entry->dhcp) p += word;
    entry->address = parseDottedQuad(p);
    while (*p != '\0' && *p != ',' && *p != ' ') ++p;
    if (*p == ' ') ++p;
    if (!entry->dhcp && *p != ',') readHardware(p, &entry->hardware);
    for (size_t length = 0; entry->dhcp && isDomainChar(*p) && length + 1 < sizeof entry->domain; ++length) entry->domain[length] = *p++;
    while (*p != '\0' && *p != ',') ++p;
}

// The connections whose evidence counts: on a network, with a default gateway.
int counts(const ConnectionNow& c) { return isNetworkAddress(c.address) && c.gateway != 0; }

void add(PlaceRecord* record, const PlaceEntry& entry) {
    for (int i = 0; i < record->count; ++i) {
        const PlaceEntry& kept = record->entries[i];
        // A gateway that did not answer adds nothing to one of its address already kept.
        if (kept.dhcp == entry.dhcp && kept.address == entry.address &&
            (!entry.hardware.known || sameHardware(kept.hardware, entry.hardware)) && std::strcmp(kept.domain, entry.domain) == 0)
            return;
    }
    if (record->count < kMaxPlaceEntries) record->entries[record->count++] = entry;
}

// FNV-1a, byte by byte.
uint32_t mix(uint32_t hash, const void* data, size_t size) {
    for (size_t i = 0; i < size; ++i) hash = (hash ^ static_cast<const uint8_t*>(data)[i]) * 16777619u;
    return hash;
}

}  // namespace

int isNetworkAddress(uint32_t address) { return address != 0 && (address >> 16) != 0xA9FE; }

int isKeepableDomain(const char* domain) {
    size_t length = 0;
    for (; domain != nullptr && domain[length] != '\0'; ++length)
        if (!isDomainChar(domain[length]) || length + 1 >= kDomainSize) return 0;
    return length > 0;
}

void recordPlace(const NetworkNow& now, PlaceRecord* out) {
    std::memset(out, 0, sizeof *out);
    for (int i = 0; i < now.count && i < kMaxPlaceConnections; ++i) {
        const ConnectionNow& c = now.connections[i];
        PlaceEntry entry = {};
        if (!counts(c)) continue;
        entry.address = c.gateway;
        entry.hardware = c.hardware;
        add(out, entry);
        if (!c.dhcp || c.dhcpServer == 0 || !isKeepableDomain(c.dhcpDomain)) continue;
        entry = {1, c.dhcpServer, {}, ""};
        copyTextCut(entry.domain, sizeof entry.domain, c.dhcpDomain);
        add(out, entry);
    }
}

int recordsHardware(const PlaceRecord& record) {
    for (int i = 0; i < record.count; ++i)
        if (record.entries[i].hardware.known) return 1;
    return 0;
}

int matchPlace(const PlaceRecord& record, const NetworkNow& now, PlaceEntry* evidence) {
    const int byHardware = recordsHardware(record);
    for (int i = 0; !record.unreadable && i < now.count && i < kMaxPlaceConnections; ++i) {
        const ConnectionNow& c = now.connections[i];
        for (int e = 0; counts(c) && e < record.count; ++e) {
            const PlaceEntry& entry = record.entries[e];
            const int match = byHardware ? sameHardware(entry.hardware, c.hardware)
                                         : entry.dhcp && c.dhcp && !c.hardware.known && entry.address == c.dhcpServer &&
                                               std::strcmp(entry.domain, c.dhcpDomain) == 0;
            if (!match) continue;
            *evidence = entry;
            if (!entry.dhcp) evidence->address = c.gateway;
            return 1;
        }
    }
    return 0;
}

uint32_t networkSignature(const NetworkNow& now) {
    uint32_t hash = 2166136261u;
    for (int i = 0; i < now.count && i < kMaxPlaceConnections; ++i) {
        const ConnectionNow& c = now.connections[i];
        if (!counts(c)) continue;
        if (c.hardware.known) {
            hash = mix(hash, c.hardware.bytes, sizeof c.hardware.bytes);
        } else if (c.dhcp) {
            hash = mix(hash, &c.dhcpServer, sizeof c.dhcpServer);
            hash = mix(hash, c.dhcpDomain, std::strlen(c.dhcpDomain));
        }
        hash = mix(hash, ",", 1);
    }
    return hash;
}

void formatPlaceValue(const PlaceRecord& record, char* out, size_t outSize) {
    static const char kHex[] = "0123456789ABCDEF";
    BoundedText text(out, outSize);
    for (int i = 0; i < record.count && i < kMaxPlaceEntries; ++i) {
        const PlaceEntry& entry = record.entries[i];
        text.add(i > 0 ? "," : "").add(entry.dhcp ? kDhcpWord : "").quad(entry.address);
        if (entry.dhcp) text.add(" ").add(entry.domain);
        for (int b = 0; entry.hardware.known && b < 6; ++b) {
            const char pair[] = {b > 0 ? '-' : ' ', kHex[entry.hardware.bytes[b] >> 4], kHex[entry.hardware.bytes[b] & 15]};
            text.add(pair, sizeof pair);
        }
    }
    text.finish();
}

int readPlaceValue(const char* value, PlaceRecord* record) {
    std::memset(record, 0, sizeof *record);
    const char* p = value != nullptr ? value : "";
    while (*p != '\0' && record->count < kMaxPlaceEntries) {
        readEntry(p, &record->entries[record->count++]);
        if (*p == ',') ++p;
    }
    // Only what the writing gives, written again, is the same text.
    char again[kNetworkValueSize];
    formatPlaceValue(*record, again, sizeof again);
    record->unreadable = std::strcmp(again, value != nullptr ? value : "") != 0;
    if (record->unreadable) record->count = 0;
    return !record->unreadable;
}

void sayPlaceMatch(const char* name, const PlaceEntry& evidence, GrowingText& text) {
    char hardware[kNetworkValueSize];
    PlaceRecord shown = {1, {evidence}, 0};
    shown.entries[0].dhcp = 0;
    formatPlaceValue(shown, hardware, sizeof hardware);
    text.add("このネットワークは「").add(name).add("」を保存したときと同じようです（");
    if (!evidence.dhcp)
        text.add("ゲートウェイ ").add(hardware);
    else
        text.add("DHCP サーバー ").quad(evidence.address).add("、DNS サフィックス ").add(evidence.domain);
    text.add("）。");
}

void sayNotItsPlace(const char* name, GrowingText& text) {
    text.add("「").add(name).add("」の設定のままですが、").add(name).add("のネットワークではないようです。");
}

void sayArrivalOffer(const char* name, GrowingText& text) {
    text.add("「").add(name).add("」のネットワークにつながりました。クリックすると切り替えます。");
}
