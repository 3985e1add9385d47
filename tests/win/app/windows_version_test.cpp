// The version classification through the real GetVersionExA.
#include "app/windows_version.h"

#include <gtest/gtest.h>

namespace {

// The test prefix is set to report Windows XP x64, which is NT 5.2: Server 2003's code.
TEST(WindowsVersion, TheTestPrefixReportsServer2003Family) {
    EXPECT_EQ(90, classifyWindowsVersion());
}

}  // namespace
