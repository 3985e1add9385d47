// RegKey's reads on a key of the test's own under HKEY_CURRENT_USER.
#include "adapters/reg_key.h"

#include <gtest/gtest.h>

#include <cstring>

#include "machine_seed.h"
#include "profiles/profile_catalog.h"
#include "sim_registry.h"
#include "win/support.h"

TEST(RegKeyTest, ValuesReadWithTheirFallbacks) {
    const char* path = "Software\\TessalyTests";
    HKEY scratch = createKey(HKEY_CURRENT_USER, path);
    ASSERT_NE(nullptr, scratch);
    writeText(scratch, "text", "hello");
    RegSetValueExA(scratch, "multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>("a\0b\0"), 5);
    writeNumber(scratch, "dword", 0x12345678);
    RegCloseKey(scratch);
    RegKey key;
    key.root = HKEY_CURRENT_USER;
    ASSERT_TRUE(key.open(path));
    // expected null: the buffer is left as it was
    const struct { const char* name; DWORD size; const char* fallback; int stored; const char* expected; } cases[] = {
        {"text", 8, "fb", 5, "hello"},                   {"missing", 8, "fb", -1, nullptr},
        {"text", 4, "fallback", 3, "fal"},               // too large: the fallback, cut to fit
        {"text", 4, "\x90\xDD\x92\xE8", 3, "\x90\xDD"},  // on a character boundary
        {"text", 4, nullptr, 0, ""},                     // too large without a fallback: empty
        {"multi", 8, nullptr, 4, "a"},                   // the first string; bytes stored less one
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        const auto& c = cases[i];
        char buffer[9];  // a byte beyond the largest size, to see nothing written past it
        memset(buffer, 0xCC, sizeof buffer);
        const int stored = key.readString(c.name, buffer, c.size, c.fallback);
        if (c.expected == nullptr) {
            EXPECT_EQ('\xCC', buffer[0]) << "case " << i;
            continue;
        }
        EXPECT_EQ(c.stored, stored) << "case " << i;
        EXPECT_STREQ(c.expected, buffer) << "case " << i;
        EXPECT_EQ('\xCC', buffer[c.size]) << "case " << i << ": written past the size";
    }
    EXPECT_EQ(0x12345678u, key.readDword("dword", 7));
    EXPECT_EQ(7u, key.readDword("missing", 7));
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
