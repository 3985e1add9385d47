#include "netsh_grammar.h"

#include <map>
#include <vector>

namespace {

struct Token {
    enum Kind { Word, Equals, Quoted } kind;
    std::string text;
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool tokenize(const std::string& line, std::vector<Token>& tokens, std::string& error) {
    size_t i = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (isBlank(c)) {
            ++i;
        } else if (c == '=') {
            tokens.push_back({Token::Equals, "="});
            ++i;
        } else if (c == '"') {
            const size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                error = "unterminated quote";
                return false;
            }
            tokens.push_back({Token::Quoted, line.substr(i + 1, end - i - 1)});
            i = end + 1;
        } else {
            size_t end = i;
            while (end < line.size() && !isBlank(line[end]) && line[end] != '=' && line[end] != '"') ++end;
            tokens.push_back({Token::Word, line.substr(i, end - i)});
            i = end;
        }
    }
    return true;
}

SimCommand invalid(const std::string& why) {
    SimCommand command;
    command.error = why;
    return command;
}

bool isNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool isAddressOrNone(const std::string& text) { return lower(text) == "none" || isDottedQuad(text); }

using Pairs = std::map<std::string, std::string>;

// Checks that exactly the required keys and some of the optional keys are present.
bool keysAre(const Pairs& pairs, std::vector<std::string> required, std::vector<std::string> optional,
             std::string& error) {
    for (const std::string& key : required)
        if (!pairs.count(key)) {
            error = "missing " + key;
            return false;
        }
    for (const auto& pair : pairs) {
        bool known = false;
        for (const std::string& key : required) known = known || key == pair.first;
        for (const std::string& key : optional) known = known || key == pair.first;
        if (!known) {
            error = "unexpected " + pair.first;
            return false;
        }
    }
    return true;
}

SimCommand parseAddress(bool add, const Pairs& pairs, SimCommand command) {
    std::string error;
    const auto value = [&](const char* key) { return pairs.count(key) ? pairs.at(key) : std::string(); };
    const std::string source = lower(value("source"));
    if (!add && source == "dhcp") {
        if (!keysAre(pairs, {"name", "source"}, {}, error)) return invalid(error);
        command.kind = SimCommandKind::SetAddressDhcp;
    } else if (!add && source == "static") {
        if (!keysAre(pairs, {"name", "source", "addr", "mask"}, {"gateway", "gwmetric"}, error))
            return invalid(error);
        command.kind = SimCommandKind::SetAddressStatic;
    } else if (!pairs.count("source") && pairs.count("gateway")) {
        if (!keysAre(pairs, {"name", "gateway"}, {"gwmetric"}, error)) return invalid(error);
        command.kind = add ? SimCommandKind::AddGateway : SimCommandKind::SetGateway;
    } else if (add && !pairs.count("source")) {
        if (!keysAre(pairs, {"name", "addr", "mask"}, {}, error)) return invalid(error);
        command.kind = SimCommandKind::AddAddress;
    } else {
        return invalid("bad source");
    }
    command.address = value("addr");
    command.mask = value("mask");
    command.gateway = value("gateway");
    if (pairs.count("addr") && !isDottedQuad(command.address)) return invalid("bad addr");
    if (pairs.count("mask") && !isDottedQuad(command.mask)) return invalid("bad mask");
    if (pairs.count("gateway")) {
        const bool noneAllowed = command.kind != SimCommandKind::AddGateway;
        if (!(isDottedQuad(command.gateway) || (noneAllowed && lower(command.gateway) == "none")))
            return invalid("bad gateway");
    }
    if (pairs.count("gwmetric") && !isNumber(pairs.at("gwmetric"))) return invalid("bad gwmetric");
    return command;
}

SimCommand parseNameServer(const std::string& what, bool add, const Pairs& pairs, SimCommand command) {
    std::string error;
    const auto value = [&](const char* key) { return pairs.count(key) ? pairs.at(key) : std::string(); };
    if (what == "dns" && add) {
        if (!keysAre(pairs, {"name", "addr"}, {"index"}, error)) return invalid(error);
        if (!isDottedQuad(value("addr"))) return invalid("bad addr");
        if (pairs.count("index") && !isNumber(value("index"))) return invalid("bad index");
        command.kind = SimCommandKind::AddDns;
        command.address = value("addr");
        return command;
    }
    if (add) return invalid("add wins is not supported");
    const std::string source = lower(value("source"));
    const std::vector<std::string> optional =
        what == "dns" ? std::vector<std::string>{"register"} : std::vector<std::string>{};
    if (source == "dhcp") {
        if (!keysAre(pairs, {"name", "source"}, optional, error)) return invalid(error);
        command.address.clear();
    } else if (source == "static") {
        if (!keysAre(pairs, {"name", "source", "addr"}, optional, error)) return invalid(error);
        if (!isAddressOrNone(value("addr"))) return invalid("bad addr");
        command.address = lower(value("addr")) == "none" ? "none" : value("addr");
    } else {
        return invalid("bad source");
    }
    if (pairs.count("register")) {
        const std::string mode = lower(value("register"));
        if (mode != "none" && mode != "primary" && mode != "both") return invalid("bad register");
    }
    if (what == "dns") {
        command.kind = source == "dhcp" ? SimCommandKind::SetDnsDhcp : SimCommandKind::SetDnsStatic;
    } else {
        command.kind = SimCommandKind::SetWins;
        command.winsSource = source;
    }
    return command;
}

}  // namespace

bool isDottedQuad(const std::string& text) {
    int parts = 0;
    size_t i = 0;
    while (true) {
        size_t digits = 0;
        int value = 0;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9' && digits < 4) {
            value = value * 10 + (text[i] - '0');
            ++i;
            ++digits;
        }
        if (digits == 0 || digits > 3 || value > 255) return false;
        ++parts;
        if (i == text.size()) return parts == 4;
        if (text[i] != '.' || parts == 4) return false;
        ++i;
    }
}

SimCommand parseSimCommand(const std::string& line, bool inInterfaceIp) {
    size_t start = 0;
    while (start < line.size() && isBlank(line[start])) ++start;
    if (start == line.size() || line[start] == '#') {
        SimCommand nothing;
        nothing.kind = SimCommandKind::Nothing;
        return nothing;
    }
    std::vector<Token> tokens;
    std::string error;
    if (!tokenize(line, tokens, error)) return invalid(error);

    // The leading words name the command; key = value pairs follow.
    std::vector<std::string> words;
    size_t i = 0;
    while (i < tokens.size() && tokens[i].kind == Token::Word &&
           !(i + 1 < tokens.size() && tokens[i + 1].kind == Token::Equals)) {
        words.push_back(tokens[i].text);
        ++i;
    }
    Pairs pairs;
    while (i < tokens.size()) {
        if (i + 2 >= tokens.size() || tokens[i].kind != Token::Word || tokens[i + 1].kind != Token::Equals ||
            tokens[i + 2].kind == Token::Equals)
            return invalid("expected key = value");
        const std::string key = lower(tokens[i].text);
        if (pairs.count(key)) return invalid("repeated " + key);
        pairs[key] = tokens[i + 2].text;
        i += 3;
    }

    std::vector<std::string> path;
    for (const std::string& word : words) path.push_back(lower(word));
    SimCommand command;
    if (path == std::vector<std::string>{"pushd", "interface", "ip"} && pairs.empty()) {
        command.kind = SimCommandKind::Pushd;
        return command;
    }
    if (path == std::vector<std::string>{"popd"} && pairs.empty()) {
        command.kind = SimCommandKind::Popd;
        return command;
    }
    if (!path.empty() && path[0] == "exec") {
        if (path.size() != 2 || !pairs.empty()) return invalid("exec takes one file");
        command.kind = SimCommandKind::Exec;
        command.file = words[1];
        return command;
    }
    if (inInterfaceIp) path.insert(path.begin(), {"interface", "ip"});
    if (path.size() == 3 && path[0] == "interface" && path[1] == "ip" && path[2] == "dump" && pairs.empty()) {
        command.kind = SimCommandKind::Dump;
        return command;
    }
    if (path.size() != 4 || path[0] != "interface" || path[1] != "ip" || (path[2] != "set" && path[2] != "add"))
        return invalid("unknown command");
    if (!pairs.count("name") || pairs.at("name").empty()) return invalid("missing name");
    command.name = pairs.at("name");
    const bool add = path[2] == "add";
    if (path[3] == "address") return parseAddress(add, pairs, command);
    if (path[3] == "dns" || path[3] == "wins") return parseNameServer(path[3], add, pairs, command);
    return invalid("unknown command");
}
