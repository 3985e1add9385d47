// The dialog that sets one connection's TCP/IP values, and menu command 502.
#pragma once

#include <windows.h>

#include "../netcmd/tcpip_request.h"

class CommandRunner;
class ProfileCatalog;

// Written by the dialog on confirmed OK; read by the command when the dialog returns 1.
extern TcpIpRequest tcpIpRequest;

INT_PTR CALLBACK tcpIpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Reads the connections, opens the dialog, sends a confirmed change through netsh and
// tells the outcome; the connection list is released again afterwards. Returns its
// TaskOutcome (src/common/task_outcome.h): kTaskDone when the change took.
int runTcpIpCommand(HWND mainWindow, ProfileCatalog* catalog, CommandRunner* runner);
