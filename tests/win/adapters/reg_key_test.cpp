// RegKey's reads on a key of the test's own under HKEY_CURRENT_USER.
#include "adapters/reg_key.h"

#include <gtest/gtest.h>

#include <string>

#include "machine_seed.h"
#include "profiles/profile_catalog.h"
#include "sim_registry.h"
#include "win/support.h"

TEST(RegKeyTest, AValueIsReadWholeWithTwoTerminatorsAdded) {
    const char* path = "Software\\TessalyTests";
    HKEY scratch = createKey(HKEY_CURRENT_USER, path);
    ASSERT_NE(nullptr, scratch);
    const std::string large(3000, 'x');  // larger than the reader's own buffer
    writeText(scratch, "text", "hello");
    writeText(scratch, "large", large);
    RegSetValueExA(scratch, "multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>("a\0b\0"), 5);
    RegSetValueExA(scratch, "unended", 0, REG_BINARY, reinterpret_cast<const BYTE*>("abc"), 3);  // not converted
    writeNumber(scratch, "dword", 0x12345678);
    RegCloseKey(scratch);
    RegKey key;
    key.root = HKEY_CURRENT_USER;
    ASSERT_TRUE(key.open(path));
    // stored: the value's bytes as written; null for a missing value
    const struct { const char* name; std::string stored; bool missing; } cases[] = {
        {"text", std::string("hello", 6), false},  {"unended", "abc", false},  // over what "text" left
        {"multi", std::string("a\0b\0", 5), false},  {"dword", std::string("\x78\x56\x34\x12", 4), false},
        {"large", large + '\0', false},              {"missing", "", true},
    };
    RegistryValue value;  // one reader for all, as a walk uses it
    for (const auto& c : cases) {
        EXPECT_EQ(!c.missing, value.read(key, c.name)) << c.name;
        if (c.missing) {
            EXPECT_EQ(nullptr, value.data()) << c.name;
            EXPECT_EQ(0u, value.size()) << c.name;
            continue;
        }
        ASSERT_NE(nullptr, value.data()) << c.name;
        EXPECT_EQ(c.stored + std::string(2, '\0'), std::string(value.data(), value.size() + 2)) << c.name;
    }
    EXPECT_TRUE(key.close());
    deleteKeyTree(HKEY_CURRENT_USER, path);
}

// Opens keys as Windows does for an account that may read HKLM\SYSTEM but not change it.
using OpenKey = LONG(WINAPI*)(HKEY, const char*, DWORD, REGSAM, HKEY*);
OpenKey systemOpenKey = nullptr;
LONG WINAPI openAsReader(HKEY root, const char* path, DWORD options, REGSAM access, HKEY* key) {
    if ((access & ~(KEY_READ | KEY_WOW64_64KEY | KEY_WOW64_32KEY)) != 0) return ERROR_ACCESS_DENIED;
    return systemOpenKey(root, path, options, access, key);
}

TEST(RegKeyTest, AnAccountThatMayOnlyReadTheMachineSeesItsConnections) {
    ASSERT_EQ(1, seedSimulatedMachine());
    systemOpenKey = reinterpret_cast<OpenKey>(replaceImport("advapi32.dll", "RegOpenKeyExA", reinterpret_cast<void*>(openAsReader)));
    ASSERT_NE(nullptr, systemOpenKey);
    ProfileCatalog catalog{kCatalogFilePath};
    EXPECT_EQ(1, catalog.discover());
    EXPECT_EQ(4, catalog.adapterCount());
    replaceImport("advapi32.dll", "RegOpenKeyExA", reinterpret_cast<void*>(systemOpenKey));
}
