// The exact netsh command texts. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

#include "../common/dotted_quad.h"
#include "tcpip_request.h"

constexpr char kDumpCommand[] = "netsh interface ip dump";

// Room that a set command needs beside the connection name (the longest, the fixed
// address with its mask, takes 103 bytes and a terminator).
constexpr size_t kSetCommandOverhead = 128;
// Room that the exec command needs beside the script path.
constexpr size_t kExecCommandOverhead = 16;

constexpr int kMaxTcpIpCommands = 6;


// A connection name can be put between double quotes: present, and without a quote.
int isQuotableConnectionName(const char* name);

// How many commands the request runs (3 to 6).
int tcpIpCommandCount(const TcpIpRequest& request);

// Composes command `index` (0-based, below tcpIpCommandCount) for the connection into
// out. Returns 1 when the whole text fit, 0 otherwise (out is then empty).
int composeTcpIpCommand(int index, const char* name, const TcpIpRequest& request, char* out,
                        size_t outSize);

// A script path that netsh reads as the one word after "exec": present, and without a
// blank, a tab or a double quote (otherwise netsh could run another file than the one
// the tool has checked).
int isSingleWordPath(const char* path);

// "netsh exec PATH", the path unquoted. Returns 1 when it fit and the path is a single
// word, 0 otherwise.
int composeExecCommand(const char* scriptPath, char* out, size_t outSize);
