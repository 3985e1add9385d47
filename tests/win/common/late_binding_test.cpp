// Functions of system DLLs bound at first use.
#include "common/late_binding.h"

#include <gtest/gtest.h>

#include "win/support.h"

TEST(LateBinding, OnlyFunctionsOfTheSystemDirectoryAreBound) {
    ScratchDir dir;
    dir.enter();
    // A DLL of the same name in the current directory is never the one loaded.
    ASSERT_TRUE(CopyFileA(windowsPathOf(RUNNER_CHILD).c_str(), "ole32.dll", FALSE));
    const FARPROC function = boundSystemFunction("ole32.dll", "CoInitialize");
    EXPECT_NE(nullptr, function);
    EXPECT_EQ(GetProcAddress(GetModuleHandleA("ole32.dll"), "CoInitialize"), function);
    EXPECT_EQ(nullptr, boundSystemFunction("shell32.dll", "NoSuchFunction"));
    EXPECT_EQ(nullptr, boundSystemFunction("no such library.dll", "SHGetMalloc"));
    EXPECT_EQ(nullptr, boundSystemFunction(std::string(300, 'x').c_str(), "SHGetMalloc"));
    IMalloc* allocator = nullptr;
    ASSERT_EQ(S_OK, lateSHGetMalloc(&allocator));
    allocator->Release();
}
