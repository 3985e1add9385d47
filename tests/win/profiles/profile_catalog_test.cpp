// The profile catalogue on real files in a fresh directory.
#include "profiles/profile_catalog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win/scratch_dir.h"

namespace {

class ProfileCatalogTest : public ::testing::Test {
protected:
    void SetUp() override { dir.enter(); }

    // "NNN:name:path:sort" for every entry, in catalogue order.
    static std::vector<std::string> entries(const ProfileCatalog& catalog) {
        std::vector<std::string> out;
        for (int i = 0; i < catalog.count(); ++i) {
            ProfileEntry entry;
            EXPECT_EQ(1, catalog.entryAt(i, &entry));
            out.push_back(std::string(catalog.sectionNames[i]) + ":" + entry.name + ":" + entry.path + ":" +
                          std::to_string(entry.sort));
        }
        return out;
    }
    static std::string section(int number, const char* name) {
        char text[160];
        snprintf(text, sizeof text, "[%03d]\r\nname=%s\r\npath=.\\%03d.dmp\r\nsort=0\r\n", number, name, number);
        return text;
    }
    static std::string sections(std::initializer_list<int> numbers) {
        std::string out;
        for (int number : numbers) out += section(number, ("P" + std::to_string(number)).c_str());
        return out;
    }

    ScratchDir dir;
};

TEST_F(ProfileCatalogTest, FirstProfileGoesIntoANewFile) {
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    EXPECT_EQ(0, catalog.count());
    ASSERT_EQ(1, catalog.addProfile("Office"));
    EXPECT_EQ((std::vector<std::string>{"000:Office:.\\000.dmp:0"}), entries(catalog));
    EXPECT_EQ("[000]\r\nname=Office\r\npath=.\\000.dmp\r\nsort=0\r\n", readWholeFile("dumplist.ini"));
    ProfileEntry entry;
    EXPECT_EQ(0, catalog.entryAt(-1, &entry));
    EXPECT_EQ(0, catalog.entryAt(1, &entry));
    EXPECT_EQ(0, catalog.entryAt(0, nullptr));
    EXPECT_EQ(0, catalog.addProfile(nullptr));
}

TEST_F(ProfileCatalogTest, RemovingKeepsTheOthersInOrderAndTheScriptOnDisk) {
    writeWholeFile("dumplist.ini", sections({0, 1, 2}));
    writeWholeFile("001.dmp", "script");
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    ASSERT_EQ(1, catalog.removeProfile(1));
    EXPECT_EQ((std::vector<std::string>{"000:P0:.\\000.dmp:0", "002:P2:.\\002.dmp:0"}), entries(catalog));
    EXPECT_EQ(sections({0, 2}), readWholeFile("dumplist.ini"));
    EXPECT_EQ("script", readWholeFile("001.dmp"));
    ASSERT_EQ(1, catalog.addProfile("new"));
    EXPECT_EQ("003:new:.\\003.dmp:0", entries(catalog).back());

    writeWholeFile("dumplist.ini", sections({0, 1, 2}));
    catalog.unload();
    catalog.load();
    ASSERT_EQ(1, catalog.removeProfile(2));
    ASSERT_EQ(1, catalog.addProfile("again"));
    EXPECT_EQ("002:again:.\\002.dmp:0", entries(catalog).back()) << "the last number is given out again";
    EXPECT_EQ(0, catalog.removeProfile(3));
    EXPECT_EQ(0, catalog.removeProfile(-1));
}

TEST_F(ProfileCatalogTest, RemovingTheOnlyProfileEmptiesTheCatalogue) {
    writeWholeFile("dumplist.ini", sections({4}));
    writeWholeFile("temp.$$$", "[999]\r\nname=stale\r\npath=.\\999.dmp\r\nsort=0\r\n");
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    ASSERT_EQ(1, catalog.removeProfile(0));
    EXPECT_EQ(0, catalog.count());
    EXPECT_EQ("", readWholeFile("dumplist.ini"));
    EXPECT_FALSE(fileExists("temp.$$$"));
    ASSERT_EQ(1, catalog.addProfile("first again"));
    EXPECT_EQ((std::vector<std::string>{"000:first again:.\\000.dmp:0"}), entries(catalog));
}

TEST_F(ProfileCatalogTest, AStaleScratchFileIsNotCarriedIntoTheRewrite) {
    writeWholeFile("dumplist.ini", sections({0, 1}));
    writeWholeFile("temp.$$$", "[999]\r\nname=stale\r\npath=.\\999.dmp\r\nsort=0\r\n");
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    ASSERT_EQ(1, catalog.removeProfile(0));
    EXPECT_EQ((std::vector<std::string>{"001:P1:.\\001.dmp:0"}), entries(catalog));
}

TEST_F(ProfileCatalogTest, NumberingFollowsTheLastSectionAndWraps) {
    const struct {
        std::string file;
        const char* next;
    } cases[] = {
        {sections({5, 3}), "004"}, {sections({9}), "010"}, {sections({99}), "100"},
        {sections({999}), "000"},  {sections({0, 999}), "001"}, {sections({6, 5}), "007"},
    };
    for (const auto& c : cases) {
        writeWholeFile("dumplist.ini", c.file);
        ProfileCatalog catalog(kCatalogFilePath);
        catalog.load();
        SectionName next;
        ASSERT_EQ(1, catalog.nextSectionName(next));
        EXPECT_STREQ(c.next, next) << c.file;
        ASSERT_EQ(1, catalog.addProfile("x"));
        EXPECT_EQ(std::string(c.next) + ":x:.\\" + c.next + ".dmp:0", entries(catalog).back());
    }
}

TEST_F(ProfileCatalogTest, OddSectionsAndValuesReadAsDefined) {
    // "ネットワーク設定" (16 bytes) repeated to 160 bytes: a name beyond 99 bytes.
    std::string longName;
    for (int i = 0; i < 10; ++i) longName += "ネットワーク設定";
    writeWholeFile("dumplist.ini",
                   "garbage line without equals\r\n= value without key\r\n"
                   "[000]\r\npath=.\\000.dmp\r\nsort=\r\n"
                   "[abc]\r\nname=not a number\r\n"
                   "[001]\r\nname=same\r\nsort= 12a\r\n"
                   "[002]\r\nname=same\r\nsort=abc\r\n"
                   "[003]\r\nname=" + longName + "\r\nsort=-5\r\n"
                   "[7]\r\nname=ends the list\r\n"
                   "[004]\r\nname=after the end\r\n");
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    const std::vector<std::string> got = entries(catalog);
    ASSERT_EQ(4u, got.size());
    EXPECT_EQ("000:.\\:.\\000.dmp:0", got[0]);
    EXPECT_EQ("001:same:.\\:12", got[1]);
    EXPECT_EQ("002:same:.\\:0", got[2]);
    EXPECT_EQ("003:" + longName.substr(0, 98) + ":.\\:-5", got[3]) << "cut at 99 bytes on a character boundary";
}

TEST_F(ProfileCatalogTest, EveryValidSectionLoadsUpToAThousand) {
    std::string file;
    for (int i = 0; i < 30; ++i) file += section(i, "many");
    writeWholeFile("dumplist.ini", file);
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    EXPECT_EQ(30, catalog.count());
    ASSERT_EQ(1, catalog.addProfile("31st"));
    EXPECT_EQ(31, catalog.count());
    EXPECT_EQ("030:31st:.\\030.dmp:0", entries(catalog).back());

    file.clear();
    for (int i = 0; i < 1000; ++i) file += section(i, "n");
    writeWholeFile("dumplist.ini", file);
    catalog.unload();
    catalog.load();
    EXPECT_EQ(1000, catalog.count());
    SectionName next;
    EXPECT_EQ(0, catalog.nextSectionName(next));
    EXPECT_EQ(0, catalog.addProfile("one too many"));
    EXPECT_EQ(1000, catalog.count());
}

TEST_F(ProfileCatalogTest, AnUnwritableCatalogueKeepsNoNewEntry) {
    ASSERT_TRUE(CreateDirectoryA("dumplist.ini", nullptr));
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    EXPECT_EQ(0, catalog.addProfile("Office"));
    EXPECT_EQ(0, catalog.count());
}

}  // namespace
