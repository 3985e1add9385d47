// Launch modes and the command-line tail that selects them. Portable: no windows.h.
#pragma once

#include <cstddef>

enum LaunchMode {
    Normal = 0,  // the visible tool
    Select = 1,  // "/L": choose and apply or delete a saved profile
    Save = 2,    // "/S": save the current network settings
    TcpIp = 3,   // "/T": set one connection's TCP/IP values
    SelectNamed = 4,  // "/L NAME": apply the saved profile of that name, no dialog
};

// The part of a process command line after the program name and the blanks
// and tabs that follow it. Points into commandLine; an empty text for null.
const char* commandLineTail(const char* commandLine);

// Exact, case-sensitive comparison of the whole tail with "/S", "/L", "/T"; "/L", a
// blank or tab, and more than blanks is SelectNamed, unless what follows is a switch
// (starts with "/").
LaunchMode launchModeFromTail(const char* tail);

// The NAME of a SelectNamed tail into out (outSize bytes, cut at a character boundary):
// the rest after "/L" and its blanks, trailing blanks dropped, or, when it starts with a
// double quote, the text up to the next one. Returns 1 when it can name a profile: not
// empty, not cut, the quote closed with nothing but blanks after it.
int profileNameFromTail(const char* tail, char* out, size_t outSize);

// The menu command a one-task mode sends at start-up; 0 for Normal.
int launchModeCommand(LaunchMode mode);

// The exit code of a start that ends before its task ran (the OS refused, or another
// Tessaly holds the mutex): 0 for Normal, kTaskRefused for "/L NAME", kTaskNotDone for the
// other one-task modes; the task's own outcome replaces it once it runs.
int exitCodeBeforeTask(LaunchMode mode);
