// The profile catalogue on real files in a fresh directory.
#include "profiles/profile_catalog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "win/support.h"

namespace {

class ProfileCatalogTest : public ::testing::Test {
protected:
    void SetUp() override { dir.enter(); }
    // "NNN:name:path:sort" for every entry, in catalogue order, after loading the file.
    std::vector<std::string> entries() {
        std::vector<std::string> out;
        for (int i = 0; i < catalog.count(); ++i) {
            ProfileEntry entry;
            EXPECT_EQ(1, catalog.entryAt(i, &entry));
            out.push_back(std::string(catalog.sectionNames[i]) + ":" + entry.name + ":" + entry.path + ":" +
                          std::to_string(entry.sort));
        }
        return out;
    }
    void load(const std::string& file) {
        writeWholeFile("dumplist.ini", file);
        catalog.unload();
        catalog.load();
    }
    static std::string sections(std::initializer_list<int> numbers) {
        std::string out;
        char text[160];
        for (int n : numbers)
            out += (snprintf(text, sizeof text, "[%03d]\r\nname=P%d\r\npath=.\\%03d.dmp\r\nsort=0\r\n", n, n, n), text);
        return out;
    }

    ScratchDir dir;
    ProfileCatalog catalog{kCatalogFilePath};
};

TEST_F(ProfileCatalogTest, RemovingKeepsTheOthersInOrderAndTheScriptOnDiskWhoseNumberStaysTaken) {
    const std::string handMade = "[abc]\r\n; mine\r\nnote=kept\r\n";  // a section the catalogue does not list stays
    load(sections({0, 1}) + handMade + sections({2}));
    writeWholeFile("001.dmp", "script");
    writeWholeFile("temp.$$$", "[999]\r\nname=stale\r\npath=.\\999.dmp\r\nsort=0\r\n");
    ASSERT_EQ(1, catalog.removeProfile(1));
    EXPECT_EQ(sections({0}) + handMade + sections({2}), readWholeFile("dumplist.ini")) << "a stale scratch file is not carried over";
    EXPECT_EQ((std::vector<std::string>{"000:P0:.\\000.dmp:0", "002:P2:.\\002.dmp:0"}), entries());
    EXPECT_EQ("script", readWholeFile("001.dmp"));
    EXPECT_FALSE(fileExists("temp.$$$"));
    ProfileEntry entry;
    EXPECT_EQ(0, catalog.removeProfile(2) + catalog.entryAt(-1, &entry) + catalog.entryAt(catalog.count(), &entry));
    // A new profile never takes the number of a script on disk, so its dump overwrites nothing.
    writeWholeFile("002.DMP", "another script");
    ASSERT_EQ(1, catalog.removeProfile(1));
    ASSERT_EQ(1, catalog.addProfile("again"));
    EXPECT_EQ("003:again:.\\003.dmp:0", entries().back());

    load(sections({4}));
    ASSERT_EQ(1, catalog.removeProfile(0));
    EXPECT_EQ(0, catalog.count());
    EXPECT_EQ("", readWholeFile("dumplist.ini")) << "removing the only profile empties the catalogue";
    ASSERT_EQ(1, catalog.addProfile("first again"));
    EXPECT_EQ((std::vector<std::string>{"000:first again:.\\000.dmp:0"}), entries());
}

TEST_F(ProfileCatalogTest, AnUndoneProfileAndASectionInTheWayLeaveEveryOtherLineAsItWas) {
    const std::string handMade = "; kept\r\n" + sections({0}) + "extra=kept\r\n[abc]\r\nnote=mine\r\n";
    load(handMade);
    ASSERT_EQ(1, catalog.addProfile("new"));
    EXPECT_EQ(1, catalog.removeAddedProfile(catalog.count() - 1));
    EXPECT_EQ(handMade, readWholeFile("dumplist.ini"));
    // Only 000 is listed before [7]; 001 is in the file all the same and is never written into.
    const std::string hidden = sections({0}) + "[7]\r\nname=short\r\n" + sections({1});
    load(hidden);
    SectionName next;
    ASSERT_EQ(1, catalog.nextSectionName(next));
    EXPECT_STREQ("002", next);
    EXPECT_EQ(0, catalog.addProfile("new")) << "a section after [7] is never listed";
    EXPECT_EQ(hidden, readWholeFile("dumplist.ini"));
}

TEST_F(ProfileCatalogTest, OddSectionsAndValuesReadAsDefined) {
    std::string longName;  // "ネットワーク設定" (16 bytes) ten times: beyond 99 bytes
    for (int i = 0; i < 10; ++i) longName += "ネットワーク設定";
    load("garbage line without equals\r\n= value without key\r\n"
         "[000]\r\npath=.\\000.dmp\r\nsort=\r\n"
         "[abc]\r\nname=not a number\r\n"
         "[001]\r\nname=same\r\nsort= 12a\r\n"
         "[002]\r\nname=" + longName + "\r\nsort=-5\r\n"
         "[7]\r\nname=ends the list\r\n"
         "[004]\r\nname=after the end\r\n");
    EXPECT_EQ((std::vector<std::string>{"000:.\\:.\\000.dmp:0", "001:same:.\\:12",
                                        "002:" + longName.substr(0, 98) + ":.\\:-5"}),
              entries());
}

}  // namespace
