// What a start asks for: the launch mode its command-line tail selects and, for "/L NAME",
// the name. Portable: no windows.h.
#pragma once

#include <cstddef>

enum LaunchMode {
    Normal = 0,  // the visible tool
    Select = 1,  // "/L": choose and apply or delete a saved profile
    Save = 2,    // "/S": save the current network settings
    TcpIp = 3,   // "/T": set one connection's TCP/IP values
    SelectNamed = 4,  // "/L NAME": apply the saved profile of that name, no dialog
    Resident = 5,     // "/R": the tool in the notification area, its window hidden
};

// 1 for the modes that run one task and end: "/L", "/S", "/T", "/L NAME".
inline int isOneTaskMode(LaunchMode mode) { return mode != Normal && mode != Resident; }

// The part of a process command line after the program name and the blanks
// and tabs that follow it. Points into commandLine; an empty text for null.
const char* commandLineTail(const char* commandLine);

// Exact, case-sensitive comparison of the whole tail with "/S", "/L", "/T", "/R"; "/L", a
// blank or tab, and more than blanks is SelectNamed, unless what follows is a switch
// (starts with "/").
LaunchMode launchModeFromTail(const char* tail);

// A profile name with its terminator, as the catalogue keeps one.
constexpr size_t kStartNameSize = 100;

struct StartRequest {
    LaunchMode mode;
    // SelectNamed: the NAME (cut at a character boundary to fit): the rest after "/L" and
    // its blanks, trailing blanks dropped, or, when it starts with a double quote, the text
    // up to the next one. Empty for the other modes.
    char profileName[kStartNameSize];
    // 1 when the name can name a profile: not empty, not cut, the quote closed with nothing
    // but blanks after it.
    int nameIsWhole;
};

// The request a command-line tail makes; a null tail makes Normal.
StartRequest parseStartRequest(const char* tail);

// The exit code of a start that ends before its task ran (the OS refused, or another
// Tessaly holds the mutex): 0 for Normal and Resident, kTaskRefused for "/L NAME", kTaskNotDone for the
// other one-task modes; the task's own outcome replaces it once it runs.
int exitCodeBeforeTask(LaunchMode mode);
