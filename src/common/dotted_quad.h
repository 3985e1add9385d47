// IPv4 texts: read from the registry, and written. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

// Packs "a.b.c.d" with a in bits 31..24. Empty pieces are skipped, at most four are
// taken, and a missing piece counts as 0 (10.1 gives 10.1.0.0). Each number is read
// like an integer (blanks, sign, digits), kept modulo 65536 as a signed 16-bit value,
// and added in 32-bit arithmetic, so a number above 255 spills into the byte above.
uint32_t parseDottedQuad(const char* text);

// The longest DNS piece that is parsed: 19 characters.
constexpr size_t kDnsPieceSize = 20;

// Cuts a server list separated by commas or blanks into its first two non-empty
// pieces, each cut to 19 characters; a missing piece is empty.
void splitNameServers(const char* list, char first[kDnsPieceSize], char second[kDnsPieceSize]);

// "a.b.c.d": four plain decimal numbers, most significant byte first. out holds 16 bytes.
void formatDottedQuad(uint32_t address, char out[16]);
