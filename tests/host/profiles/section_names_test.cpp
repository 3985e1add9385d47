#include "profiles/section_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The names taken from a blank-separated list of section names (each terminated, then
// one more terminator), joined by blanks again.
std::string collect(const std::string& names, int maxNames = kMaxSections) {
    std::string list = names + (names.empty() ? "" : " ");
    for (char& c : list) c = c == ' ' ? '\0' : c;
    list += '\0';
    std::vector<SectionName> out(kMaxSections);
    std::string taken;
    for (int i = 0, count = collectSectionNames(list.data(), list.size(), out.data(), maxNames); i < count; ++i)
        taken += (i ? " " : "") + std::string(out[i]);
    return taken;
}

// The section a new profile gets after the names in use (blank-separated), or "full".
std::string next(const std::string& used) {
    std::vector<SectionName> names(kMaxSections);
    const int count = static_cast<int>((used.size() + 1) / 4);
    for (int i = 0; i < count; ++i) std::snprintf(names[i], sizeof(SectionName), "%s", used.substr(i * 4, 3).c_str());
    SectionName out;
    return nextFreeSectionName(names.data(), count, nullptr, out) ? out : "full";
}

TEST(SectionNames, ThreeDigitNamesAreTakenInFileOrderUntilAShorterName) {
    EXPECT_EQ("005 003 100", collect("005 003 100"));
    EXPECT_EQ("", collect(""));
    EXPECT_EQ("000 002", collect("000 abc Basic 0001 002"));
    EXPECT_EQ("005 003", collect("005 003 100", 2));
}

TEST(SectionNames, TheNextNumberFollowsTheLastSectionAndSkipsNumbersInUse) {
    const struct {
        const char* used;
        const char* next;
    } cases[] = {
        {"", "000"},        {"000", "001"},     {"005 003", "004"},  // the last in file order, not the largest
        {"009", "010"},     {"099", "100"},     {"999", "000"},
        {"006 005", "007"}, {"000 999", "001"},  // skipping numbers in use
    };
    for (const auto& c : cases) EXPECT_EQ(c.next, next(c.used)) << c.used;
    std::string all;
    char name[8];
    for (int i = 0; i < 1000; ++i) all += (std::snprintf(name, sizeof name, "%03d ", (i + 500) % 1000), name);
    EXPECT_EQ("full", next(all));
    EXPECT_EQ("510", next(all.erase(40, 4))) << "the only free number";
}

TEST(SectionNames, OnlyAThreeDigitScriptNameMarksItsNumber) {
    const std::pair<const char*, const char*> cases[] = {{"004.dmp", "4 "}, {"999.DMP", "999 "}, {"010.Dmp", "10 "},
        {"04.dmp", ""}, {"0004.dmp", ""}, {"004.dmpx", ""}, {"004.txt", ""}, {"00a.dmp", ""}, {"004_dmp", ""}, {"", ""}};
    for (const auto& c : cases) {
        bool present[kMaxSections] = {};
        markScriptNumber(c.first, present);
        std::string marked;
        for (int i = 0; i < kMaxSections; ++i) marked += present[i] ? std::to_string(i) + " " : "";
        EXPECT_EQ(c.second, marked) << c.first;
    }
}

}  // namespace
