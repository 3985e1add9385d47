// The message that reports a switched connection. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

// Bytes beside the connection name that the message needs (with the terminator).
constexpr size_t kSwitchedMessageOverhead = 96;

// "「NAME」の設定を切り替えました。\n (IP=a.b.c.d)". Returns 1 when it fit into out.
int composeSwitchedMessage(const char* connectionName, uint32_t address, char* out, size_t outSize);
