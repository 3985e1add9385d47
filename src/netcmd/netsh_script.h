// Reading netsh "interface ip" commands: one line at a time, and a whole dump script
// folded into what it asks of each connection it names. Portable: no windows.h.
//
// A line is one of (keywords case-insensitive, "key = value" or "key=value", a value
// may be double-quoted, ADDR a dotted quad of four numbers 0..255; inside
// "pushd interface ip" the words "interface ip" are implied):
//
//   interface ip dump | exec FILE                      (command lines, not script lines)
//   interface ip set address name=N source=dhcp
//   interface ip set address name=N source=static addr=ADDR mask=ADDR [gateway=ADDR|none] [gwmetric=NUM]
//   interface ip set address name=N gateway=ADDR|none [gwmetric=NUM]
//   interface ip add address name=N addr=ADDR mask=ADDR | gateway=ADDR [gwmetric=NUM]
//   interface ip set dns|wins name=N source=dhcp [register=none|primary|both]
//   interface ip set dns|wins name=N source=static addr=ADDR|none [register=none|primary|both]
//   interface ip add dns|wins name=N addr=ADDR [index=NUM]
//   interface ip delete address name=N addr=ADDR [gateway=ADDR|all] | gateway=ADDR|all
//   interface ip delete dns|wins name=N addr=ADDR|all
//   pushd interface ip | popd | # comment | empty line
// ("register" belongs to dns only.) A server or gateway of 0.0.0.0 means none.
//
// A script runs only when every line is one that a dump of "interface ip" holds: empty
// lines, comments, "pushd interface ip" blocks closed by "popd" (one dump after another
// is still a dump), and the set, add and delete lines above, without control characters
// (a CR only before the line's end) and no longer than any line of a dump.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tcpip_request.h"

constexpr size_t kScriptFileSize = 261;
constexpr int kMaxListAddresses = 8;     // per list: addresses, masks, gateways, servers
constexpr int kMaxScriptConnections = 20;

// The longest line a dump holds: Windows 2000's spelling with blanks around "=", both
// addresses of 15 characters, a connection name of 255 double-byte characters (510
// bytes), the blank XP leaves at some line ends and the CR: 510 + 85 = 595 bytes. A longer
// line is refused, so that no reader with a line buffer of its own can split it and run
// its tail as a command.
constexpr size_t kLongestDumpedName = 510;
constexpr size_t kScriptNameSize = kLongestDumpedName + 1;
constexpr size_t kMaxScriptLineBytes =
    kLongestDumpedName + sizeof "set address name = \"\" source = static addr = 255.255.255.255 mask = 255.255.255.255 \r" - 1;
static_assert(kMaxScriptLineBytes == 595, "the figure the comment above and docs/only-network-settings.md give");

enum class NetshLineKind : uint8_t {
    Invalid,
    Nothing,  // an empty line or a comment
    Pushd,
    Popd,
    Dump,
    Exec,
    SetAddressDhcp,
    SetAddressStatic,
    SetGateway,
    AddAddress,
    AddGateway,
    SetDnsDhcp,
    SetDnsStatic,
    AddDns,
    SetWinsDhcp,
    SetWinsStatic,
    AddWins,
    DeleteAddress,
    DeleteDns,
    DeleteWins,
};

struct NetshLine {
    NetshLineKind kind;
    char name[kScriptNameSize];  // connection name
    char file[kScriptFileSize];  // exec
    uint32_t address;            // addr, packed with the first part in bits 31..24; 0: none
    uint32_t mask;
    uint32_t gateway;            // 0: none or not given
    int index;                   // add dns|wins: 1-based position; 0 when not given
    uint8_t all;                 // delete: gateway=all (address) or addr=all (dns, wins)
    const char* error;           // why the line is Invalid
};

// Parses one line of `length` bytes. inInterfaceIp: a "pushd interface ip" is in force.
void parseNetshLine(const char* line, size_t length, int inInterfaceIp, NetshLine* out);

enum class SettingSource : uint8_t { Unsaid, Dhcp, Static };

struct AddressList {
    int count;
    uint32_t items[kMaxListAddresses];
};

// What one connection holds, or what a script asks of it.
struct ConnectionSettings {
    char name[kScriptNameSize];
    uint8_t present;  // 0: this machine has no connection of that name
    SettingSource addressSource;
    AddressList addresses;
    AddressList masks;
    uint8_t gatewaysSaid;
    AddressList gateways;
    SettingSource dnsSource;
    AddressList dns;
    SettingSource winsSource;
    AddressList wins;
};

// Room for the part of a refused line that is shown: its first bytes, cut at a
// character boundary, "…" when cut, and the terminator.
constexpr size_t kForeignTextSize = 64;

struct ScriptSettings {
    int connectionCount;
    ConnectionSettings connections[kMaxScriptConnections];
    int unreadLines;  // lines not understood, or beyond the limits above
    int foreignLine;  // 1-based number of the first line no dump holds; 0: the script may run
    char foreignText[kForeignTextSize];  // that line, without leading blanks, controls as '?'
    uint8_t notAnsi;  // saved as UTF-16 or UTF-8 (a byte order mark): foreignLine is 1, nothing read
};

// A connection that nothing has been said of yet.
void resetConnectionSettings(ConnectionSettings* settings, const char* name);
// Applies a set or add line to the settings; 0 when the line changes no setting or a
// list is full.
int applyNetshLine(const NetshLine& line, ConnectionSettings* settings);
// Reads a script; never fails, lines it cannot use are counted in unreadLines, and
// the first line that keeps it from running is noted in foreignLine.
void readNetshScript(const char* text, size_t length, ScriptSettings* out);
// What the TCP/IP commands of a request ask of the connection.
void tcpIpRequestSettings(const char* name, const TcpIpRequest& request, ConnectionSettings* out);
// Addresses of a registry value: pieces separated by NULs, commas or blanks (a
// multi-string, an XP NameServer, a Windows 2000 one), empty pieces skipped.
void parseAddressList(const char* data, size_t length, AddressList* out);
