// What the connections hold after an apply, read back from the registry, and the
// verdict on the apply.
#pragma once

#include <windows.h>

#include "../netcmd/netsh_script.h"
#include "../netcmd/settings_report.h"

// One connection of this machine as read from the registry.
struct HeldConnection {
    ConnectionSettings settings;  // present 1, named as the registry names it
    int readable;                 // 0: its interface key could not be opened
};

// What every connection of this machine holds, read once to compare many scripts with.
struct MachineSettings {
    HeldConnection* items = nullptr;  // new[], `capacity` slots
    int count = 0;
    int capacity = 0;
    int whole = 0;  // 0: the network class key could not be read, or memory ran short
};

// Reads every connection named under the network class key into *out (emptied first); 0
// when the reading is not whole. Free it with releaseMachineSettings.
int readMachineSettings(MachineSettings* out);
void releaseMachineSettings(MachineSettings* settings);
// Fills `held` with the connections that `asked` names, in the same order, from the
// reading (names compared without letter case, as netsh does); a name the machine lacks is
// marked not present. 0 when a named connection, or the reading, could not be read, or
// when two connections have a name the script names.
int pickHeldSettings(const ScriptSettings& asked, const MachineSettings& machine, ScriptSettings* held);

// Fills `held` with the connections that `asked` names, in the same order, from their
// interface keys (EnableDHCP, IPAddress, SubnetMask, DefaultGateway, NameServer) and
// NetBT keys (NameServerList). A name this machine lacks is marked not present. 0 when
// nothing can be read back: the network class key, or the interface key of a named
// connection, cannot be opened.
int readHeldSettings(const ScriptSettings& asked, ScriptSettings* held);

// Reads a script file of at most 1 MB; 0 when it cannot be read whole. With heldOpen,
// a file read whole stays open, shared for reading only, so that nobody can change it
// before the caller has run it; the caller closes *heldOpen (otherwise
// INVALID_HANDLE_VALUE).
int readScriptSettings(const char* path, ScriptSettings* out, HANDLE* heldOpen = nullptr);

// The verdict on an apply whose netsh runs gave exitCodesOk: 1 when the connections
// hold what was asked (or, when they cannot be read back, when the exit codes were 0) and
// the extras applied hold too. On 0, *report is a new[] message naming what did not take,
// or null when the plain failure text says all there is.
int verifyApplied(const ScriptSettings& asked, int exitCodesOk, const char* failureText, char** report,
                  const ExtraOutcomes* extras = nullptr);
