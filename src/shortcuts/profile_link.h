// The desktop shortcut of one saved profile: its file name and the arguments that start
// the tool on that profile. Portable: no windows.h.
#pragma once

#include <cstddef>

// "ネットワーク設定「NAME」.lnk", each character a file name cannot hold (\ / : * ? " < > |
// and control characters) replaced by "_"; the second byte of a double-byte character
// is never taken for one. 1 when it fit into out (outSize bytes), else 0 and out empty.
int composeProfileLinkName(const char* profileName, char* out, size_t outSize);

// /L "NAME" into out. A name holding a double quote cannot be quoted: it goes bare when
// it holds no blank or tab and starts with neither the quote nor "/" (a switch), and
// otherwise cannot be said. 1 when it fit and can be said, else 0 and out empty.
int composeProfileArguments(const char* profileName, char* out, size_t outSize);

// The shortcut's description: "ネットワーク設定「NAME」を適用します", cut to fit.
void composeProfileLinkDescription(const char* profileName, char* out, size_t outSize);
