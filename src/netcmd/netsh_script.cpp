#include "netsh_script.h"

#include <cstring>

#include "../common/dotted_quad.h"
#include "../common/profile_text.h"
#include "netsh_text.h"

namespace {

constexpr int kMaxTokens = 32;

struct Token {
    enum Kind : uint8_t { Word, Equals, Quoted } kind;
    const char* text;
    size_t length;
};

bool sameWord(const Token& token, const char* word) {
    const size_t length = std::strlen(word);
    if (token.kind != Token::Word || token.length != length) return false;
    for (size_t i = 0; i < length; ++i) {
        if (lowerAscii(token.text[i]) != word[i]) return false;
    }
    return true;
}

bool sameText(const char* text, size_t length, const char* word) {
    return sameWord(Token{Token::Word, text, length}, word);
}

const char* tokenize(const char* line, size_t length, Token* tokens, int* count) {
    *count = 0;
    size_t i = 0;
    while (i < length) {
        if (isSpaceTabOrLineEnd(line[i])) {
            ++i;
            continue;
        }
        if (*count == kMaxTokens) return "too many words";
        Token& token = tokens[(*count)++];
        if (line[i] == '=') {
            token = {Token::Equals, line + i, 1};
            ++i;
        } else if (line[i] == '"') {
            const void* end = std::memchr(line + i + 1, '"', length - i - 1);
            if (end == nullptr) return "unterminated quote";
            const size_t close = static_cast<size_t>(static_cast<const char*>(end) - line);
            token = {Token::Quoted, line + i + 1, close - i - 1};
            i = close + 1;
        } else {
            size_t end = i;
            while (end < length && !isSpaceTabOrLineEnd(line[end]) && line[end] != '=' && line[end] != '"') ++end;
            token = {Token::Word, line + i, end - i};
            i = end;
        }
    }
    return nullptr;
}

// A dotted quad of four decimal numbers 0..255 (at most three digits each), nothing else.
bool readStrictQuad(const char* text, size_t length, uint32_t* out) {
    uint32_t value = 0;
    int parts = 0;
    size_t i = 0;
    while (parts < 4) {
        unsigned part = 0;
        size_t digits = 0;
        while (i < length && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            part = part * 10 + static_cast<unsigned>(text[i++] - '0');
            ++digits;
        }
        if (digits == 0 || digits > 3 || part > 255) return false;
        value = value << 8 | part;
        if (++parts < 4 && (i >= length || text[i++] != '.')) return false;
    }
    if (i != length) return false;
    *out = value;
    return true;
}

bool isNumber(const char* text, size_t length) {
    if (length == 0 || length > 9) return false;
    for (size_t i = 0; i < length; ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

enum Key { Name, Source, Addr, Mask, Gateway, GwMetric, Register, Index, KeyCount };
const char* const kKeyNames[KeyCount] = {"name", "source", "addr", "mask", "gateway", "gwmetric", "register", "index"};

struct Pairs {
    const Token* value[KeyCount];
    bool has(Key key) const { return value[key] != nullptr; }
    bool is(Key key, const char* word) const { return has(key) && sameText(value[key]->text, value[key]->length, word); }
};

// True when every required key and only allowed keys are present (bit masks of Key).
bool keysAre(const Pairs& pairs, unsigned required, unsigned optional) {
    for (int key = 0; key < KeyCount; ++key) {
        const unsigned bit = 1u << key;
        if ((required & bit) && !pairs.has(static_cast<Key>(key))) return false;
        if (!(required & bit) && !(optional & bit) && pairs.has(static_cast<Key>(key))) return false;
    }
    return true;
}

constexpr unsigned bit(Key key) { return 1u << key; }

// An address value into *out; "none" gives 0 where allowed.
bool readAddressValue(const Pairs& pairs, Key key, bool noneAllowed, uint32_t* out) {
    *out = 0;
    if (!pairs.has(key)) return true;
    if (noneAllowed && pairs.is(key, "none")) return true;
    return readStrictQuad(pairs.value[key]->text, pairs.value[key]->length, out);
}

void invalid(NetshLine* out, const char* why) {
    out->kind = NetshLineKind::Invalid;
    out->error = why;
}

void parseAddressCommand(bool add, const Pairs& pairs, NetshLine* out) {
    const unsigned named = bit(Name);
    if (!add && pairs.is(Source, "dhcp") && keysAre(pairs, named | bit(Source), 0)) {
        out->kind = NetshLineKind::SetAddressDhcp;
    } else if (!add && pairs.is(Source, "static") &&
               keysAre(pairs, named | bit(Source) | bit(Addr) | bit(Mask), bit(Gateway) | bit(GwMetric))) {
        out->kind = NetshLineKind::SetAddressStatic;
    } else if (!pairs.has(Source) && keysAre(pairs, named | bit(Gateway), bit(GwMetric))) {
        out->kind = add ? NetshLineKind::AddGateway : NetshLineKind::SetGateway;
    } else if (add && keysAre(pairs, named | bit(Addr) | bit(Mask), 0)) {
        out->kind = NetshLineKind::AddAddress;
    } else {
        return invalid(out, "bad keys or source");
    }
    if (!readAddressValue(pairs, Addr, false, &out->address) || !readAddressValue(pairs, Mask, false, &out->mask))
        return invalid(out, "bad address");
    if (!readAddressValue(pairs, Gateway, out->kind != NetshLineKind::AddGateway, &out->gateway))
        return invalid(out, "bad gateway");
    if (pairs.has(GwMetric) && !isNumber(pairs.value[GwMetric]->text, pairs.value[GwMetric]->length))
        invalid(out, "bad gwmetric");
}

void parseServerCommand(bool dns, bool add, const Pairs& pairs, NetshLine* out) {
    const unsigned named = bit(Name);
    const unsigned registerKey = dns ? bit(Register) : 0;
    if (add) {
        if (!keysAre(pairs, named | bit(Addr), bit(Index))) return invalid(out, "bad keys");
        if (!readAddressValue(pairs, Addr, false, &out->address)) return invalid(out, "bad address");
        if (pairs.has(Index)) {
            const Token& index = *pairs.value[Index];
            if (!isNumber(index.text, index.length)) return invalid(out, "bad index");
            for (size_t i = 0; i < index.length; ++i) out->index = out->index * 10 + (index.text[i] - '0');
        }
        out->kind = dns ? NetshLineKind::AddDns : NetshLineKind::AddWins;
        return;
    }
    if (pairs.is(Source, "dhcp") && keysAre(pairs, named | bit(Source), registerKey)) {
        out->kind = dns ? NetshLineKind::SetDnsDhcp : NetshLineKind::SetWinsDhcp;
    } else if (pairs.is(Source, "static") && keysAre(pairs, named | bit(Source) | bit(Addr), registerKey)) {
        if (!readAddressValue(pairs, Addr, true, &out->address)) return invalid(out, "bad address");
        out->kind = dns ? NetshLineKind::SetDnsStatic : NetshLineKind::SetWinsStatic;
    } else {
        return invalid(out, "bad keys or source");
    }
    if (pairs.has(Register) && !pairs.is(Register, "none") && !pairs.is(Register, "primary") &&
        !pairs.is(Register, "both"))
        invalid(out, "bad register");
}

// "all" as an address value sets *all and gives 0.
bool readAddressOrAll(const Pairs& pairs, Key key, uint32_t* out, uint8_t* all) {
    if (!pairs.is(key, "all")) return readAddressValue(pairs, key, false, out);
    *out = 0;
    *all = 1;
    return true;
}

void parseDeleteCommand(const Token& what, const Pairs& pairs, NetshLine* out) {
    const unsigned named = bit(Name);
    if (sameWord(what, "address")) {
        if (!keysAre(pairs, named, bit(Addr) | bit(Gateway)) || !(pairs.has(Addr) || pairs.has(Gateway)))
            return invalid(out, "bad keys");
        if (!readAddressValue(pairs, Addr, false, &out->address) ||
            !readAddressOrAll(pairs, Gateway, &out->gateway, &out->all))
            return invalid(out, "bad address");
        out->kind = NetshLineKind::DeleteAddress;
        return;
    }
    if (!sameWord(what, "dns") && !sameWord(what, "wins")) return invalid(out, "unknown command");
    if (!keysAre(pairs, named | bit(Addr), 0)) return invalid(out, "bad keys");
    if (!readAddressOrAll(pairs, Addr, &out->address, &out->all)) return invalid(out, "bad address");
    out->kind = sameWord(what, "dns") ? NetshLineKind::DeleteDns : NetshLineKind::DeleteWins;
}

// Copies a token's text into a bounded field; false when it does not fit or is empty.
bool copyToken(const Token& token, char* out, size_t outSize) {
    if (token.length == 0 || token.length >= outSize) return false;
    std::memcpy(out, token.text, token.length);
    out[token.length] = '\0';
    return true;
}

bool listAppend(AddressList* list, uint32_t address) {
    if (list->count >= kMaxListAddresses) return false;
    list->items[list->count++] = address;
    return true;
}

// Inserts at the 1-based position (0 or past the end: at the end).
bool listInsert(AddressList* list, uint32_t address, int position) {
    if (list->count >= kMaxListAddresses) return false;
    const int at = position >= 1 && position <= list->count ? position - 1 : list->count;
    for (int i = list->count; i > at; --i) list->items[i] = list->items[i - 1];
    list->items[at] = address;
    ++list->count;
    return true;
}

// Removes the first entry equal to address, and the entry at the same place of
// `paired` (the masks beside the addresses); 0 when the list does not hold it.
void listRemoveAt(AddressList* list, int at) {
    if (list == nullptr || at >= list->count) return;
    for (int i = at + 1; i < list->count; ++i) list->items[i - 1] = list->items[i];
    --list->count;
}

int listRemove(AddressList* list, uint32_t address, AddressList* paired) {
    for (int i = 0; i < list->count; ++i) {
        if (list->items[i] != address) continue;
        listRemoveAt(paired, i);
        listRemoveAt(list, i);
        return 1;
    }
    return 0;
}

int listClear(AddressList* list) {
    list->count = 0;
    return 1;
}

void listSet(AddressList* list, uint32_t address) {
    list->count = 0;
    if (address != 0) listAppend(list, address);
}

ConnectionSettings* connectionNamed(ScriptSettings* script, const char* name) {
    for (int i = 0; i < script->connectionCount; ++i)
        if (std::strcmp(script->connections[i].name, name) == 0) return &script->connections[i];
    if (script->connectionCount == kMaxScriptConnections) return nullptr;
    ConnectionSettings* added = &script->connections[script->connectionCount++];
    resetConnectionSettings(added, name);
    return added;
}

}  // namespace

void parseNetshLine(const char* line, size_t length, int inInterfaceIp, NetshLine* out) {
    std::memset(out, 0, sizeof *out);
    out->kind = NetshLineKind::Nothing;
    size_t start = 0;
    while (start < length && isSpaceTabOrLineEnd(line[start])) ++start;
    if (start == length || line[start] == '#') return;

    Token tokens[kMaxTokens];
    int count = 0;
    if (const char* error = tokenize(line, length, tokens, &count)) return invalid(out, error);

    // The leading words name the command; key = value pairs follow.
    int words = 0;
    while (words < count && tokens[words].kind == Token::Word &&
           !(words + 1 < count && tokens[words + 1].kind == Token::Equals))
        ++words;
    Pairs pairs = {};
    for (int i = words; i < count; i += 3) {
        if (i + 2 >= count || tokens[i].kind != Token::Word || tokens[i + 1].kind != Token::Equals ||
            tokens[i + 2].kind == Token::Equals)
            return invalid(out, "expected key = value");
        int key = 0;
        while (key < KeyCount && !sameWord(tokens[i], kKeyNames[key])) ++key;
        if (key == KeyCount) return invalid(out, "unknown key");
        if (pairs.value[key] != nullptr) return invalid(out, "repeated key");
        pairs.value[key] = &tokens[i + 2];
    }

    const bool hasPairs = words < count;
    if (words == 3 && !hasPairs && sameWord(tokens[0], "pushd") && sameWord(tokens[1], "interface") &&
        sameWord(tokens[2], "ip")) {
        out->kind = NetshLineKind::Pushd;
        return;
    }
    if (words == 1 && !hasPairs && sameWord(tokens[0], "popd")) {
        out->kind = NetshLineKind::Popd;
        return;
    }
    if (words >= 1 && sameWord(tokens[0], "exec")) {
        if (words != 2 || hasPairs || !copyToken(tokens[1], out->file, sizeof out->file))
            return invalid(out, "exec takes one file");
        out->kind = NetshLineKind::Exec;
        return;
    }
    // The command's words after "interface ip".
    int first = 0;
    if (!inInterfaceIp) {
        if (words < 2 || !sameWord(tokens[0], "interface") || !sameWord(tokens[1], "ip"))
            return invalid(out, "unknown command");
        first = 2;
    }
    if (words - first == 1 && !hasPairs && sameWord(tokens[first], "dump")) {
        out->kind = NetshLineKind::Dump;
        return;
    }
    if (words - first != 2) return invalid(out, "unknown command");
    const bool add = sameWord(tokens[first], "add");
    const bool remove = sameWord(tokens[first], "delete");
    if (!add && !remove && !sameWord(tokens[first], "set")) return invalid(out, "unknown command");
    if (!pairs.has(Name) || !copyToken(*pairs.value[Name], out->name, sizeof out->name))
        return invalid(out, "missing or overlong name");
    const Token& what = tokens[first + 1];
    if (remove) return parseDeleteCommand(what, pairs, out);
    if (sameWord(what, "address")) return parseAddressCommand(add, pairs, out);
    if (sameWord(what, "dns") || sameWord(what, "wins")) return parseServerCommand(sameWord(what, "dns"), add, pairs, out);
    invalid(out, "unknown command");
}

void resetConnectionSettings(ConnectionSettings* settings, const char* name) {
    std::memset(settings, 0, sizeof *settings);
    // Byte for byte: the name is matched against the registry's, never cut to a character.
    for (size_t i = 0; name != nullptr && name[i] != '\0' && i + 1 < sizeof settings->name; ++i)
        settings->name[i] = name[i];
    settings->present = 1;
}

namespace {

// A server added after the source was set to DHCP makes the list a fixed one, as the
// registry then holds it.
int addServer(AddressList* list, SettingSource* source, const NetshLine& line) {
    if (!listInsert(list, line.address, line.index)) return 0;
    if (*source == SettingSource::Dhcp) *source = SettingSource::Static;
    return 1;
}

}  // namespace

int applyNetshLine(const NetshLine& line, ConnectionSettings* s) {
    switch (line.kind) {
    case NetshLineKind::SetAddressDhcp:
        s->addressSource = SettingSource::Dhcp;
        s->addresses.count = s->masks.count = s->gateways.count = 0;
        s->gatewaysSaid = 1;
        return 1;
    case NetshLineKind::SetAddressStatic:
        s->addressSource = SettingSource::Static;
        s->addresses.count = s->masks.count = 0;
        listAppend(&s->addresses, line.address);
        listAppend(&s->masks, line.mask);
        listSet(&s->gateways, line.gateway);
        s->gatewaysSaid = 1;
        return 1;
    case NetshLineKind::SetGateway:
        listSet(&s->gateways, line.gateway);
        s->gatewaysSaid = 1;
        return 1;
    case NetshLineKind::AddAddress:
        if (s->addresses.count >= kMaxListAddresses) return 0;
        return listAppend(&s->addresses, line.address) && listAppend(&s->masks, line.mask);
    case NetshLineKind::AddGateway: s->gatewaysSaid = 1; return listAppend(&s->gateways, line.gateway);
    case NetshLineKind::SetDnsDhcp: s->dnsSource = SettingSource::Dhcp; s->dns.count = 0; return 1;
    case NetshLineKind::SetDnsStatic: s->dnsSource = SettingSource::Static; listSet(&s->dns, line.address); return 1;
    case NetshLineKind::AddDns: return addServer(&s->dns, &s->dnsSource, line);
    case NetshLineKind::SetWinsDhcp: s->winsSource = SettingSource::Dhcp; s->wins.count = 0; return 1;
    case NetshLineKind::SetWinsStatic: s->winsSource = SettingSource::Static; listSet(&s->wins, line.address); return 1;
    case NetshLineKind::AddWins: return addServer(&s->wins, &s->winsSource, line);
    case NetshLineKind::DeleteAddress: {
        const int address = line.address != 0 && listRemove(&s->addresses, line.address, &s->masks);
        if (!line.all && line.gateway == 0) return address;
        s->gatewaysSaid = 1;
        return (line.all ? listClear(&s->gateways) : listRemove(&s->gateways, line.gateway, nullptr)) || address;
    }
    case NetshLineKind::DeleteDns:
        if (!line.all) return listRemove(&s->dns, line.address, nullptr);
        s->dnsSource = SettingSource::Static;
        return listClear(&s->dns);
    case NetshLineKind::DeleteWins:
        if (!line.all) return listRemove(&s->wins, line.address, nullptr);
        s->winsSource = SettingSource::Static;
        return listClear(&s->wins);
    default: return 0;
    }
}

namespace {

// A control byte that netsh might read as the end of a line, or that no dump prints:
// anything below a blank but a tab, and a CR anywhere but last.
bool holdsControlByte(const char* line, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if ((c < 0x20 && c != '\t' && !(c == '\r' && i + 1 == length)) || c == 0x7F) return true;
    }
    return false;
}

// Whether a line of this kind may stand where it stands in a dump of "interface ip".
bool isDumpLine(NetshLineKind kind, int inInterfaceIp) {
    switch (kind) {
    case NetshLineKind::Nothing: return true;
    case NetshLineKind::Pushd: return !inInterfaceIp;
    case NetshLineKind::Popd: return inInterfaceIp != 0;
    case NetshLineKind::Invalid:
    case NetshLineKind::Dump:
    case NetshLineKind::Exec: return false;
    default: return true;  // the set, add and delete lines
    }
}

// The refused line as the user is shown it: no leading blanks, no line end, control
// bytes as '?', cut at a character boundary with "…" when longer than the room.
void noteForeignLine(int number, const char* line, size_t length, ScriptSettings* out) {
    static const char kCutMark[] = "…";
    while (length > 0 && isSpaceOrTab(line[0])) ++line, --length;
    while (length > 0 && (line[length - 1] == '\r' || line[length - 1] == ' ')) --length;
    const size_t room = sizeof out->foreignText - sizeof kCutMark;
    size_t kept = 0;
    while (kept < length && kept < room) {
        const size_t width = isShiftJisLeadByte(static_cast<unsigned char>(line[kept])) ? 2 : 1;
        if (kept + width > room || kept + width > length) break;
        kept += width;
    }
    for (size_t i = 0; i < kept; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        out->foreignText[i] = c < 0x20 || c == 0x7F ? '?' : line[i];
    }
    out->foreignText[kept] = '\0';
    if (kept < length) std::memcpy(out->foreignText + kept, kCutMark, sizeof kCutMark);
    out->foreignLine = number;
}

// Notepad's "Unicode", "Unicode big endian" and "UTF-8" start the file with a byte order mark.
bool startsWithByteOrderMark(const char* text, size_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    return (length >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))) ||
           (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF);
}

}  // namespace

void readNetshScript(const char* text, size_t length, ScriptSettings* out) {
    out->connectionCount = 0;
    out->unreadLines = 0;
    out->foreignLine = 0;
    out->foreignText[0] = '\0';
    out->notAnsi = 0;
    if (text == nullptr) return;
    if (startsWithByteOrderMark(text, length)) {
        out->notAnsi = 1;
        out->foreignLine = 1;
        return;
    }
    int inInterfaceIp = 0;
    int number = 0;
    size_t start = 0;
    NetshLine line;
    while (start < length) {
        const void* newline = std::memchr(text + start, '\n', length - start);
        const size_t end = newline != nullptr ? static_cast<size_t>(static_cast<const char*>(newline) - text) : length;
        parseNetshLine(text + start, end - start, inInterfaceIp, &line);
        ++number;
        if (out->foreignLine == 0 && (end - start > kMaxScriptLineBytes || holdsControlByte(text + start, end - start) ||
                                      !isDumpLine(line.kind, inInterfaceIp)))
            noteForeignLine(number, text + start, end - start, out);
        start = end + 1;
        if (line.kind == NetshLineKind::Nothing) continue;
        if (line.kind == NetshLineKind::Pushd || line.kind == NetshLineKind::Popd) {
            inInterfaceIp = line.kind == NetshLineKind::Pushd;
            continue;
        }
        ConnectionSettings* connection = line.name[0] != '\0' ? connectionNamed(out, line.name) : nullptr;
        if (connection == nullptr || !applyNetshLine(line, connection)) ++out->unreadLines;
    }
}

void tcpIpRequestSettings(const char* name, const TcpIpRequest& request, ConnectionSettings* out) {
    resetConnectionSettings(out, name);
    static const char kProgram[] = "netsh ";
    char command[kScriptNameSize + kSetCommandOverhead];
    NetshLine line;
    for (int i = 0; i < tcpIpCommandCount(request); ++i) {
        if (!composeTcpIpCommand(i, name, request, command, sizeof command)) continue;
        parseNetshLine(command + sizeof kProgram - 1, std::strlen(command) - (sizeof kProgram - 1), 0, &line);
        applyNetshLine(line, out);
    }
}

void parseAddressList(const char* data, size_t length, AddressList* out) {
    out->count = 0;
    size_t i = 0;
    while (i < length && out->count < kMaxListAddresses) {
        while (i < length && (data[i] == '\0' || data[i] == ',' || isSpaceTabOrLineEnd(data[i]))) ++i;
        char piece[kDnsPieceSize];
        size_t pieceLength = 0;
        while (i < length && data[i] != '\0' && data[i] != ',' && !isSpaceTabOrLineEnd(data[i])) {
            if (pieceLength < sizeof piece - 1) piece[pieceLength++] = data[i];
            ++i;
        }
        piece[pieceLength] = '\0';
        if (pieceLength > 0) out->items[out->count++] = parseDottedQuad(piece);
    }
}
