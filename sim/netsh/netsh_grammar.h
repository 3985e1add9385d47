// The command grammar of the netsh stand-in. Portable: no windows.h.
//
// Accepted, as whole command lines after "netsh" or as lines of an exec script
// (inside "pushd interface ip" the words "interface ip" are implied). Keywords are
// case-insensitive; "key = value" and "key=value" are the same; a value may be
// double-quoted; ADDR is a dotted quad of four numbers 0..255.
//
//   interface ip dump
//   exec FILE                                       (FILE is one word)
//   interface ip set address name=N source=dhcp
//   interface ip set address name=N source=static addr=ADDR mask=ADDR [gateway=ADDR|none] [gwmetric=NUM]
//   interface ip set address name=N gateway=ADDR|none [gwmetric=NUM]
//   interface ip add address name=N addr=ADDR mask=ADDR
//   interface ip add address name=N gateway=ADDR [gwmetric=NUM]
//   interface ip set wins name=N source=dhcp
//   interface ip set wins name=N source=static addr=ADDR|none
//   interface ip set dns name=N source=dhcp [register=none|primary|both]
//   interface ip set dns name=N source=static addr=ADDR|none [register=none|primary|both]
//   interface ip add dns name=N addr=ADDR [index=NUM]
//   pushd interface ip | popd | # comment | empty line   (script lines only)
#pragma once

#include <string>

enum class SimCommandKind {
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
    SetWins,
    SetDnsDhcp,
    SetDnsStatic,
    AddDns,
};

struct SimCommand {
    SimCommandKind kind = SimCommandKind::Invalid;
    std::string name;     // connection name
    std::string address;  // addr (or "none" where allowed)
    std::string mask;
    std::string gateway;  // "" when not given; "none" allowed where stated
    std::string winsSource;
    std::string file;     // exec
    std::string error;    // why the line is Invalid
};

// Parses one line. inInterfaceIp: a "pushd interface ip" is in force.
SimCommand parseSimCommand(const std::string& line, bool inInterfaceIp);

// A dotted quad of four decimal numbers 0..255, nothing else.
bool isDottedQuad(const std::string& text);
