#include "profiles/section_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Names joined as a section-name list: each terminated, then one more terminator.
std::string joined(std::initializer_list<const char*> names) {
    std::string out;
    for (const char* name : names) out += std::string(name) + '\0';
    return out + '\0';
}

// The names collectSectionNames takes from a list, joined by blanks.
std::string collect(const std::string& list, int maxNames = kMaxSections) {
    std::vector<SectionName> names(kMaxSections);
    const int count = collectSectionNames(list.data(), list.size(), names.data(), maxNames);
    std::string out;
    for (int i = 0; i < count; ++i) out += (i ? " " : "") + std::string(names[i]);
    return out;
}

// The section a new profile gets after the names in use (blank-separated), or "full".
std::string next(const std::string& used) {
    std::vector<SectionName> names(kMaxSections);
    int count = 0;
    for (size_t at = 0; at < used.size(); at += 4)
        std::snprintf(names[count++], sizeof(SectionName), "%s", used.substr(at, 3).c_str());
    SectionName out;
    if (!nextFreeSectionName(names.data(), count, out)) return "full";
    return out;
}

TEST(SectionNames, ThreeDigitNamesAreTakenInFileOrder) {
    const struct {
        std::string list;
        const char* taken;
    } cases[] = {
        {joined({"005", "003", "100"}), "005 003 100"},
        {joined({}), ""},
        {"", ""},
        {joined({"000", "7", "001"}), "000"},  // a name shorter than three characters ends the list
        {joined({"000", "abc", "Basic", "0001", "002"}), "000 002"},  // others are passed over
        {std::string("000\0" "001\0" "002", 11), "000 001"},  // a list cut without its terminators
    };
    for (const auto& c : cases) EXPECT_EQ(c.taken, collect(c.list)) << c.taken;
    EXPECT_EQ("005 003", collect(cases[0].list, 2));
}

TEST(SectionNames, NextNumberFollowsTheLastSectionAndSkipsNumbersInUse) {
    const struct {
        const char* used;
        const char* next;
    } cases[] = {
        {"", "000"},        {"000", "001"},     {"005 003", "004"},  // the last in file order, not the largest
        {"009", "010"},     {"099", "100"},     {"999", "000"},
        {"000 002", "003"}, {"006 005", "007"}, {"000 999", "001"},  // skipping numbers in use
    };
    for (const auto& c : cases) EXPECT_EQ(c.next, next(c.used)) << c.used;
    std::string all;
    for (int i = 0; i < 1000; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "%03d ", (i + 500) % 1000);
        all += name;
    }
    EXPECT_EQ("full", next(all));
    EXPECT_EQ("510", next(all.erase(40, 4))) << "the only free number";
}

}  // namespace
