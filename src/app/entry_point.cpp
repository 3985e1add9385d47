// The exe's entry point, in place of the C runtime's start-up code (the exe is linked
// with -nostartfiles). MinGW-w64 ships that code built for a Pentium Pro: its start-up
// holds cmov, which a Pentium or a K6-2 cannot execute, so the 32-bit exe would die
// before its first window. The tool needs none of its work: WinMain reads its own
// command line, msvcrt.dll sets itself up when loaded, and nothing imports data that
// would need the runtime's relocations (the link refuses auto-imported data).
#include <windows.h>

#include "start_request.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandTail, int showCommand);

// Bracketed by the linker: -1, the static constructors, 0.
extern "C" void (*__CTOR_LIST__[])();

namespace {

// Static constructors run last to first, as the runtime runs them.
void runStaticConstructors() {
    int count = 0;
    while (__CTOR_LIST__[count + 1] != nullptr) ++count;
    for (int i = count; i >= 1; --i) __CTOR_LIST__[i]();
}

}  // namespace

// Windows calls the entry with a 4-byte aligned stack on 32-bit; realign it.
extern "C"
#ifndef _WIN64
    __attribute__((force_align_arg_pointer))
#endif
    void WinMainCRTStartup() {
    runStaticConstructors();
    // WinMain takes the tail and the show command from the process itself; these are
    // what the runtime would pass.
    char* tail = const_cast<char*>(commandLineTail(GetCommandLineA()));
    ExitProcess(static_cast<UINT>(WinMain(GetModuleHandleA(nullptr), nullptr, tail, SW_SHOWDEFAULT)));
}
