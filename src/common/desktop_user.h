// Whether this process runs as the user whose desktop it shows on. Started with
// "別のユーザーとして実行" (Run as), it runs under another account: HKCU, the browser's
// proxy and the desktop folder are then that account's, not those of the user at the
// screen.
#pragma once

#include <windows.h>

// The user name room: an account name has at most 256 characters.
constexpr DWORD kUserNameSize = 257;

// 1 when the token user of this process differs from that of the shell's process (the
// desktop's explorer), or when Windows refuses to open that process or its token, as it
// does for another account's; 0 when they are the same, and when any other step cannot be
// taken (no shell window, a call this Windows lacks).
int runsAsAnotherUser();

// The account this process runs as into out (kUserNameSize bytes); empty when unknown.
void processUserName(char (&out)[kUserNameSize]);
