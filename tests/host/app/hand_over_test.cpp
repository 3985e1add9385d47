#include "app/hand_over.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tray_texts.h"

namespace {

std::string message(const std::string& folder, const std::string& tail) { return folder + '\0' + tail + '\0'; }

// The receiver takes only what composeHandOver makes: the tag, a bound, a folder and a tail
// each ended by the one terminator, and the tail read as a start reads it.
TEST(HandOver, OnlyAWellFormedMessageIsReadAndItsTailAsAStartReadsIt) {
    const std::string folder = "C:\\Tessaly", longTail(kHandOverTailSize - 1, 'x');
    const struct {
        unsigned long tag;
        std::string bytes;
        int read;
        LaunchMode mode;
        const char* name;
    } cases[] = {
        {kHandOverTag, message(folder, "/L 事務所"), 1, SelectNamed, "事務所"},
        {kHandOverTag, message(folder, "/S"), 1, Save, ""},
        {kHandOverTag, message(folder, "/R"), 1, Resident, ""},
        {kHandOverTag, message(folder, ""), 1, Normal, ""},
        {kHandOverTag, message(folder, "/X"), 1, Normal, ""},           // unknown: the visible tool
        {kHandOverTag, message(folder, longTail), 1, Normal, ""},
        {kHandOverTag + 1, message(folder, "/S"), 0, Normal, ""},       // another tag
        {kHandOverTag, folder + '\0' + "/S", 0, Normal, ""},           // the tail unterminated
        {kHandOverTag, folder, 0, Normal, ""},                          // no terminator at all
        {kHandOverTag, message(folder, "/S") + 'x', 0, Normal, ""},     // bytes after the tail
        {kHandOverTag, message(folder, "/S") + '\0', 0, Normal, ""},    // a third part
        {kHandOverTag, message("", "/S"), 0, Normal, ""},               // no folder
        {kHandOverTag, message(std::string(kHandOverFolderSize, 'f'), "/S"), 0, Normal, ""},
        {kHandOverTag, message(folder, longTail + "x"), 0, Normal, ""},  // beyond the bound
        {kHandOverTag, std::string(), 0, Normal, ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        HandOver out;
        out.request.mode = TcpIp;
        EXPECT_EQ(cases[i].read, readHandOver(cases[i].tag, cases[i].bytes.data(), cases[i].bytes.size(), &out))
            << "case " << i;
        if (!cases[i].read) continue;
        EXPECT_EQ(folder, out.folder) << "case " << i;
        EXPECT_EQ(cases[i].mode, out.request.mode) << "case " << i;
        EXPECT_STREQ(cases[i].name, out.request.profileName) << "case " << i;
    }
    EXPECT_EQ(0, readHandOver(kHandOverTag, nullptr, 4, nullptr));
}

// What a second start sends reads back as the start it made, byte for byte ("/T " is not
// "/T", a lone lead byte stays); nothing is sent beyond the limits.
TEST(HandOver, ASentMessageReadsAsTheSecondStartsOwnRequest) {
    const struct {
        std::string tail;
        LaunchMode mode;
        int nameIsWhole;
    } cases[] = {
        {"/L \"Home LAN\" \t ", SelectNamed, 1}, {"/T ", Normal, 0}, {"/L \x8e", SelectNamed, 0}, {"", Normal, 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        std::vector<char> bytes(kHandOverMaxSize);
        const size_t size = composeHandOver("C:\\a", cases[i].tail.c_str(), bytes.data(), bytes.size());
        HandOver out;
        ASSERT_EQ(1, readHandOver(kHandOverTag, bytes.data(), size, &out)) << "case " << i;
        EXPECT_EQ(cases[i].mode, out.request.mode) << "case " << i;
        EXPECT_EQ(cases[i].nameIsWhole && cases[i].mode == SelectNamed, out.request.nameIsWhole) << "case " << i;
        EXPECT_EQ(cases[i].tail, bytes.data() + 5) << "case " << i;
    }
    std::vector<char> room(kHandOverMaxSize);
    EXPECT_EQ(0u, composeHandOver(std::string(kHandOverFolderSize, 'f').c_str(), "", room.data(), room.size()));
    EXPECT_EQ(0u, composeHandOver("C:\\a", std::string(kHandOverTailSize, 't').c_str(), room.data(), room.size()));
    EXPECT_EQ(0u, composeHandOver("C:\\a", "/S", room.data(), 7));
}

TEST(TrayTexts, TheTooltipNamesWhatHoldsAndIsCutOnACharacterBoundary) {
    // Names in the tool's code page: 事務所, and twenty of them joined by "、".
    const std::string office = "\x8e\x96\x96\xb1\x8f\x8a", holding = "Tessaly - 現在：";
    std::string many;
    for (int i = 0; i < 20; ++i) many += (i ? "\x81\x41" : "") + office;
    const size_t room = kTrayTipSize - 1 - holding.size();
    const struct {
        std::string names;
        std::string tip;
    } cases[] = {
        {office, holding + office},
        {office + "\x81\x41" + office + "2", holding + office + "\x81\x41" + office + "2"},
        {"", "Tessaly - 保存した設定と一致しません"},
        {"a" + many, holding + ("a" + many).substr(0, room - (room % 2 == 0))},  // "a", then whole characters
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        char tip[kTrayTipSize];
        composeTrayTip(cases[i].names.c_str(), tip, sizeof tip);
        EXPECT_EQ(cases[i].tip, tip) << "case " << i;
    }
}

TEST(TrayTexts, AShownNameHasItsAmpersandsDoubled) {
    const struct {
        const char* name;
        size_t size;
        std::string item;
    } cases[] = {
        // 表 is 0x95 0x5C in the tool's code page; its second byte is no "&" either way.
        {"R&D", 20, "R&&D"}, {"&&", 20, "&&&&"}, {"\x95\x5c&", 20, "\x95\x5c&&"},
        {"ab&", 4, "ab"},    {"a\x95\x5c", 3, "a"}, {"", 4, ""},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        char item[20];
        doubleAmpersands(cases[i].name, item, cases[i].size);
        EXPECT_EQ(cases[i].item, item) << "case " << i;
    }
}

}  // namespace
