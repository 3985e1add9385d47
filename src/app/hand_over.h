// What a second start hands to the running Tessaly (WM_COPYDATA): its working folder and
// its command-line tail, each terminated, tagged. The receiver reads the bytes as untrusted
// input: bounded, both parts terminated, nothing after them, and the tail read by the
// start-up's own grammar. Portable: no windows.h.
#pragma once

#include <cstddef>

#include "start_request.h"

// COPYDATASTRUCT.dwData of a hand-over ("TSLY"); other tags are not ours.
constexpr unsigned long kHandOverTag = 0x544C5359;
constexpr size_t kHandOverFolderSize = 261;
// A command line's limit, so that every tail goes whole: a cut one could name another profile.
constexpr size_t kHandOverTailSize = 32768;
constexpr size_t kHandOverMaxSize = kHandOverFolderSize + kHandOverTailSize;

// What the running Tessaly answers (the message's result).
enum HandOverReply {
    kHandOverUnread = 0,       // not a hand-over it reads: nothing was done
    kHandOverTaken = 1,        // done, or started
    kHandOverBusy = 2,         // a dialog, a box or a netsh run is open: nothing was done
    kHandOverOtherFolder = 3,  // it works in another folder: nothing was done
};

struct HandOver {
    char folder[kHandOverFolderSize];
    StartRequest request;
};

// The message's bytes into out: the folder and the tail, each with its terminator, byte for
// byte; the byte count, or 0 when either is beyond its limit or out is too small.
size_t composeHandOver(const char* folder, const char* tail, char* out, size_t outSize);

// 1 with *out filled when the bytes are a hand-over as composeHandOver makes one; else 0.
int readHandOver(unsigned long tag, const void* data, size_t size, HandOver* out);
