// Marks on the way to the first paint. The start-up benchmark's traced build defines
// TESSALY_STARTUP_TRACE and links bench/startup_trace.cpp, which notes when each mark is
// passed; in the shipped build they are empty and compile away.
#pragma once

#ifdef TESSALY_STARTUP_TRACE
void startupMark(const char* step);
#else
inline void startupMark(const char*) {}
#endif
