#include "profiles/section_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Names joined as a section-name list: each terminated, then one more terminator.
std::string list(std::initializer_list<const char*> names) {
    std::string out;
    for (const char* name : names) out += std::string(name) + '\0';
    return out + '\0';
}

std::vector<std::string> collect(const std::string& list, int maxNames = kMaxSections) {
    std::vector<SectionName> names(kMaxSections);
    const int count = collectSectionNames(list.data(), list.size(), names.data(), maxNames);
    std::vector<std::string> out;
    for (int i = 0; i < count; ++i) out.push_back(names[i]);
    return out;
}

std::string next(const std::vector<std::string>& used) {
    std::vector<SectionName> names(used.size() + 1);
    for (size_t i = 0; i < used.size(); ++i) std::snprintf(names[i], sizeof names[i], "%s", used[i].c_str());
    SectionName out;
    if (!nextFreeSectionName(names.data(), static_cast<int>(used.size()), out)) return "full";
    return out;
}

TEST(SectionNames, ThreeDigitNamesAreTakenInFileOrder) {
    EXPECT_EQ((std::vector<std::string>{"005", "003", "100"}), collect(list({"005", "003", "100"})));
    EXPECT_EQ((std::vector<std::string>{}), collect(list({})));
    EXPECT_EQ((std::vector<std::string>{}), collect(std::string()));
    // A name shorter than three characters ends the list.
    EXPECT_EQ((std::vector<std::string>{"000"}), collect(list({"000", "7", "001"})));
    // Other names are passed over: not three digits, or longer.
    EXPECT_EQ((std::vector<std::string>{"000", "002"}), collect(list({"000", "abc", "Basic", "0001", "002"})));
    // A list cut without its final terminators stays within its size.
    EXPECT_EQ((std::vector<std::string>{"000", "001"}), collect(std::string("000\0" "001\0" "002", 11)));
    EXPECT_EQ(2u, collect(list({"000", "001", "002"}), 2).size());
}

TEST(SectionNames, NextNumberFollowsTheLastSectionAndSkipsNumbersInUse) {
    EXPECT_EQ("000", next({}));
    EXPECT_EQ("001", next({"000"}));
    EXPECT_EQ("004", next({"005", "003"})) << "the last in file order, not the largest";
    EXPECT_EQ("010", next({"009"}));
    EXPECT_EQ("100", next({"099"}));
    EXPECT_EQ("000", next({"999"}));
    EXPECT_EQ("003", next({"000", "002"}));
    EXPECT_EQ("007", next({"006", "005"})) << "006 is in use";
    EXPECT_EQ("001", next({"000", "999"})) << "000 is in use";

    std::vector<std::string> all;
    for (int i = 0; i < 1000; ++i) {
        char name[4];
        std::snprintf(name, sizeof name, "%03d", (i + 500) % 1000);
        all.push_back(name);
    }
    EXPECT_EQ("full", next(all));
    all.erase(all.begin() + 10);  // 510 is free again
    EXPECT_EQ("510", next(all));
}

}  // namespace
