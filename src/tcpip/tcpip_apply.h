// Setting one connection's TCP/IP values, without a dialog: the TCP/IP dialog's OK calls it.
#pragma once

#include <windows.h>

#include "../netcmd/tcpip_request.h"

class CommandRunner;
class ProfileCatalog;

// Runs the request's commands on the connection of the catalogue's adapter table it names;
// the connection, read back afterwards, decides the verdict, and the exit codes only where
// it cannot be read. Tells the outcome in a box of the owner; its TaskOutcome
// (src/common/task_outcome.h): kTaskDone when the change took.
int applyTcpIpRequest(HWND owner, const ProfileCatalog* catalog, CommandRunner* runner, const TcpIpRequest& request);
