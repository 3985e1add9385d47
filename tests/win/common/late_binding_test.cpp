// Functions of system DLLs bound at first use.
#include "common/late_binding.h"

#include <gtest/gtest.h>

#include "win/support.h"

TEST(LateBinding, OnlyFunctionsOfTheSystemDirectoryAreBound) {
    // A DLL of the same name beside the program, searched first by name, is never the one
    // bound (the test prefix lets this program take such a DLL first, as Windows does).
    char program[MAX_PATH];
    GetModuleFileNameA(nullptr, program, sizeof program);
    const std::string impostor = std::string(program).substr(0, std::string(program).rfind('\\')) + "\\msacm32.dll";
    ASSERT_TRUE(CopyFileA(windowsPathOf(IMPOSTOR_DLL).c_str(), impostor.c_str(), FALSE));
    const FARPROC function = boundSystemFunction("msacm32.dll", "acmGetVersion");
    DeleteFileA(impostor.c_str());
    EXPECT_NE(nullptr, function);
    EXPECT_EQ(nullptr, boundSystemFunction("shell32.dll", "NoSuchFunction"));
    EXPECT_EQ(nullptr, boundSystemFunction("no such library.dll", "SHGetMalloc"));
    IMalloc* allocator = nullptr;
    ASSERT_EQ(S_OK, late::SHGetMalloc()(&allocator));
    allocator->Release();
}
