#include "network_place.h"

#include <cstring>

#include "../common/dotted_quad.h"
#include "../common/profile_text.h"
#include "../common/text_builder.h"

namespace {

int sameHardware(const HardwareAddress& a, const HardwareAddress& b) {
    return a.known && b.known && std::memcmp(a.bytes, b.bytes, sizeof a.bytes) == 0;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A dotted quad of exactly four plain numbers up to 255, as formatDottedQuad writes them.
int readQuad(const char*& p, uint32_t* out) {
    uint32_t address = 0;
    for (int piece = 0; piece < 4; ++piece) {
        if (piece > 0 && *p++ != '.') return 0;
        int value = 0, digits = 0;
        for (; *p >= '0' && *p <= '9' && digits < 4; ++p, ++digits) value = value * 10 + (*p - '0');
        if (digits == 0 || digits > 3 || value > 255) return 0;
        address = (address << 8) | static_cast<uint32_t>(value);
    }
    *out = address;
    return 1;
}

int readHardware(const char*& p, HardwareAddress* out) {
    for (int i = 0; i < 6; ++i) {
        if (i > 0 && *p++ != '-') return 0;
        const int high = hexDigit(p[0]);
        const int low = high >= 0 ? hexDigit(p[1]) : -1;
        if (low < 0) return 0;
        out->bytes[i] = static_cast<uint8_t>(high * 16 + low);
        p += 2;
    }
    out->known = 1;
    return 1;
}

int isDomainChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
           c == '.';
}

// Entries separated by ",", each read by readEntry up to the separator or the end.
template <typename ReadEntry>
int readEntries(const char* value, int* count, ReadEntry readEntry) {
    *count = 0;
    const char* p = value != nullptr ? value : "";
    while (*p != '\0') {
        if (*count == kMaxPlaceGateways || !readEntry(p, *count)) return 0;
        ++*count;
        if (*p == ',') {
            ++p;
            if (*p == '\0') return 0;
        } else if (*p != '\0') {
            return 0;
        }
    }
    return 1;
}

// The connections whose evidence counts: on a network, with a default gateway.
int counts(const ConnectionNow& c) { return isNetworkAddress(c.address) && c.gateway != 0; }

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
        if (!counts(c)) continue;
        int known = 0;
        for (int g = 0; g < out->gatewayCount; ++g)
            known = known || (out->gateways[g].address == c.gateway &&
                              (!c.hardware.known || sameHardware(out->gateways[g].hardware, c.hardware)));
        if (!known && out->gatewayCount < kMaxPlaceGateways) out->gateways[out->gatewayCount++] = {c.gateway, c.hardware};
        if (c.dhcp && c.dhcpServer != 0 && isKeepableDomain(c.dhcpDomain) && out->dhcpCount < kMaxPlaceGateways) {
            PlaceDhcp& d = out->dhcp[out->dhcpCount++];
            d.server = c.dhcpServer;
            copyTextCut(d.domain, sizeof d.domain, c.dhcpDomain);
        }
    }
}

int recordsHardware(const PlaceRecord& record) {
    for (int g = 0; g < record.gatewayCount; ++g)
        if (record.gateways[g].hardware.known) return 1;
    return 0;
}

PlaceMatch matchPlace(const PlaceRecord& record, const NetworkNow& now, PlaceEvidence* evidence) {
    std::memset(evidence, 0, sizeof *evidence);
    if (record.unreadable) return PlaceMatch::None;
    for (int i = 0; i < now.count && i < kMaxPlaceConnections; ++i) {
        const ConnectionNow& c = now.connections[i];
        for (int g = 0; counts(c) && g < record.gatewayCount; ++g) {
            if (!sameHardware(record.gateways[g].hardware, c.hardware)) continue;
            *evidence = {PlaceMatch::Gateway, c.gateway, c.hardware, ""};
            return PlaceMatch::Gateway;
        }
    }
    if (recordsHardware(record)) return PlaceMatch::None;
    for (int i = 0; i < now.count && i < kMaxPlaceConnections; ++i) {
        const ConnectionNow& c = now.connections[i];
        if (!counts(c) || c.hardware.known || !c.dhcp) continue;
        for (int d = 0; d < record.dhcpCount; ++d) {
            if (record.dhcp[d].server != c.dhcpServer || std::strcmp(record.dhcp[d].domain, c.dhcpDomain) != 0) continue;
            *evidence = {PlaceMatch::Dhcp, c.dhcpServer, c.hardware, ""};
            copyTextCut(evidence->domain, sizeof evidence->domain, c.dhcpDomain);
            return PlaceMatch::Dhcp;
        }
    }
    return PlaceMatch::None;
}

uint32_t networkSignature(const NetworkNow& now) {
    uint32_t hash = 2166136261u;  // FNV-1a
    auto mix = [&hash](const void* data, size_t size) {
        for (size_t i = 0; i < size; ++i) hash = (hash ^ static_cast<const uint8_t*>(data)[i]) * 16777619u;
    };
    for (int i = 0; i < now.count && i < kMaxPlaceConnections; ++i) {
        const ConnectionNow& c = now.connections[i];
        if (!counts(c)) continue;
        if (c.hardware.known) {
            mix(c.hardware.bytes, sizeof c.hardware.bytes);
        } else if (c.dhcp) {
            mix(&c.dhcpServer, sizeof c.dhcpServer);
            mix(c.dhcpDomain, std::strlen(c.dhcpDomain));
        }
        mix(",", 1);
    }
    return hash;
}

void formatHardwareAddress(const HardwareAddress& hardware, char out[18]) {
    static const char kHex[] = "0123456789ABCDEF";
    for (int i = 0; i < 6; ++i) {
        out[i * 3] = kHex[hardware.bytes[i] >> 4];
        out[i * 3 + 1] = kHex[hardware.bytes[i] & 15];
        out[i * 3 + 2] = i < 5 ? '-' : '\0';
    }
}

void formatGatewaysValue(const PlaceRecord& record, char* out, size_t outSize) {
    BoundedText text(out, outSize);
    for (int g = 0; g < record.gatewayCount && g < kMaxPlaceGateways; ++g) {
        char hardware[18];
        formatHardwareAddress(record.gateways[g].hardware, hardware);
        text.add(g > 0 ? "," : "").quad(record.gateways[g].address);
        if (record.gateways[g].hardware.known) text.add(" ").add(hardware);
    }
    text.finish();
}

void formatDhcpValue(const PlaceRecord& record, char* out, size_t outSize) {
    BoundedText text(out, outSize);
    for (int d = 0; d < record.dhcpCount && d < kMaxPlaceGateways; ++d)
        text.add(d > 0 ? "," : "").quad(record.dhcp[d].server).add(" ").add(record.dhcp[d].domain);
    text.finish();
}

int readGatewaysValue(const char* value, PlaceRecord* record) {
    const int read = readEntries(value, &record->gatewayCount, [record](const char*& p, int at) {
        PlaceGateway& g = record->gateways[at];
        g.hardware = {};
        if (!readQuad(p, &g.address)) return 0;
        if (*p != ' ') return 1;
        ++p;
        return readHardware(p, &g.hardware);
    });
    if (!read) record->gatewayCount = 0;
    record->unreadable = record->unreadable || !read;
    return read;
}

int readDhcpValue(const char* value, PlaceRecord* record) {
    const int read = readEntries(value, &record->dhcpCount, [record](const char*& p, int at) {
        PlaceDhcp& d = record->dhcp[at];
        if (!readQuad(p, &d.server) || *p++ != ' ') return 0;
        size_t length = 0;
        while (isDomainChar(p[length]) && length + 1 < sizeof d.domain) ++length;
        std::memcpy(d.domain, p, length);
        d.domain[length] = '\0';
        p += length;
        return static_cast<int>(length > 0);
    });
    if (!read) record->dhcpCount = 0;
    record->unreadable = record->unreadable || !read;
    return read;
}

void sayPlaceMatch(const char* name, const PlaceEvidence& evidence, GrowingText& text) {
    text.add("このネットワークは「").add(name).add("」を保存したときと同じようです（");
    if (evidence.match == PlaceMatch::Gateway) {
        char hardware[18];
        formatHardwareAddress(evidence.hardware, hardware);
        text.add("ゲートウェイ ").quad(evidence.address).add(" ").add(hardware);
    } else {
        text.add("DHCP サーバー ").quad(evidence.address).add("、DNS サフィックス ").add(evidence.domain);
    }
    text.add("）。");
}

void sayNotItsPlace(const char* name, GrowingText& text) {
    text.add("「").add(name).add("」の設定のままですが、").add(name).add("のネットワークではないようです。");
}

void sayArrivalOffer(const char* name, GrowingText& text) {
    text.add("「").add(name).add("」のネットワークにつながりました。クリックすると切り替えます。");
}
