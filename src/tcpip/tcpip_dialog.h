// The dialog that sets one connection's TCP/IP values, and menu command 502.
#pragma once

#include <windows.h>

#include "../netcmd/tcpip_request.h"

// Written by the dialog on confirmed OK; read by the command when the dialog returns 1.
extern TcpIpRequest tcpIpRequest;

INT_PTR CALLBACK tcpIpDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
void runTcpIpCommand(HWND mainWindow);
