// Which script paths of the catalogue the tool may open: a hand-edited "path=" could
// otherwise steer a process run as administrator to a server (which it would log on to),
// a pipe (whose server could act as it), a device or a drive without a disk.
// Portable: no windows.h.
#pragma once

// 1 for a path to a file inside the working folder: relative, without a drive, a stream
// or a wildcard, not starting with a separator ("\" or "/"), with no empty, ".." or other
// dots-only part and no part that names a device (CON, PRN, AUX, NUL, CONIN$, CONOUT$,
// COM1-COM9, LPT1-LPT9, with or without an extension). On a Shift-JIS system (code page 932)
// a second byte is never taken for a separator; on any other, where the same byte may be a
// character of its own and the '\' after it a separator, a byte above ASCII is refused: the
// tool itself only writes ".\NNN.dmp".
int isPathInWorkingFolder(const char* path, int shiftJisSystem);

// Why the profile's script is not used.
constexpr char kOutsideFolderText[] = "設定ファイルの場所がこのフォルダの外を指しているため、使いませんでした。";

// kOutsideFolderText, the line break, then the path in brackets, into a new[] buffer at
// *out; 0, with *out null, when memory is short.
int composeOutsideFolderReport(const char* path, const char* lineBreak, char** out);
