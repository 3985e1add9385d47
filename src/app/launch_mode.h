// Launch modes and the command-line tail that selects them. Portable: no windows.h.
#pragma once

enum LaunchMode {
    Normal = 0,  // the visible tool
    Select = 1,  // "/L": choose and apply or delete a saved profile
    Save = 2,    // "/S": save the current network settings
    TcpIp = 3,   // "/T": set one connection's TCP/IP values
};

// The part of a process command line after the program name and the blanks
// and tabs that follow it. Points into commandLine; an empty text for null.
const char* commandLineTail(const char* commandLine);

// Exact, case-sensitive comparison of the whole tail with "/S", "/L", "/T".
LaunchMode launchModeFromTail(const char* tail);

// The menu command a one-task mode sends at start-up; 0 for Normal.
int launchModeCommand(LaunchMode mode);
