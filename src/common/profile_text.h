// Text helpers for private-profile values and byte-limited copies. Portable: no windows.h.
// Texts are in code page 932 (Shift-JIS): a byte 0x81-0x9F or 0xE0-0xFC starts a
// two-byte character, and no cut ever separates such a pair.
#pragma once

#include <cstddef>

// ASCII letter case and white space, one test per meaning. Each looks at one byte: a
// caller walking Shift-JIS text decides itself whether a byte is a second byte.
// 'A'-'Z' as 'a'-'z', every other byte as it is.
constexpr char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
// A blank or a tab: what separates words on a command line or DNS servers in a list.
constexpr bool isSpaceOrTab(char c) { return c == ' ' || c == '\t'; }
// A blank, a tab or a line break: what separates the words of a netsh line.
constexpr bool isSpaceTabOrLineEnd(char c) { return isSpaceOrTab(c) || c == '\r' || c == '\n'; }
// The white space a number may start with, as C's isspace has it: blank, \t \n \v \f \r.
constexpr bool isAsciiWhiteSpace(char c) { return isSpaceTabOrLineEnd(c) || c == '\v' || c == '\f'; }

// Parses leading white space, an optional '+' or '-', then decimal digits up to the
// first non-digit. No digits gives 0; values beyond the int range are clamped.
int parseProfileInt(const char* text);

// Non-zero when the byte starts a two-byte Shift-JIS character.
int isShiftJisLeadByte(unsigned char c);

// Length of the longest prefix of text, at most maxBytes long, that holds only whole
// characters (a lead byte whose second byte is missing does not count).
size_t characterBoundaryLength(const char* text, size_t maxBytes);

// Copies text into out (outSize bytes including the terminator), cut at a character
// boundary when it does not fit. Always terminates when outSize > 0. A null text
// gives an empty result. Returns 1 when the whole text fit, 0 when it was cut or
// out is unusable.
int copyTextCut(char* out, size_t outSize, const char* text);

// Copies text whole, byte for byte, when it fits with its terminator (a null text gives an
// empty result) and returns 1; otherwise out is left empty and 0 returned.
int copyTextWhole(char* out, size_t outSize, const char* text);

// The value of key in a section's lines as GetPrivateProfileSectionA gives them (each
// "key=value" line terminated, `length` bytes in all), where a plain reading gives what
// GetPrivateProfileStringA would: 1, with *value the line's terminated value, for one
// "key=value" line (key in any letter case) whose value starts and ends with an ASCII byte
// above the blank other than a quote; 0 when no line names the key; -1 when a line names it
// in any other shape, or two lines do, or a line starts with a byte the reading may trim, or
// the last line is cut, and only the file's own reading can tell.
int plainSectionValue(const char* lines, size_t length, const char* key, const char** value);

// Why a stored value that filled its buffer is not used.
constexpr char kTooLongValueText[] = "設定の文字列が長すぎます";

// 1 when a private-profile file gives the text back byte for byte as it was written: no
// line break or other control character, no blank (nor ideographic space) at either end,
// no pair of quotes around it.
int isStorableValue(const char* text);
