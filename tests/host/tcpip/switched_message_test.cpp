#include "tcpip/switched_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SwitchedMessage, NamesTheConnectionAndTheAddress) {
    char text[128];
    ASSERT_EQ(1, composeSwitchedMessage("ローカル エリア接続", 0xC0A8000Au, text, sizeof text));
    EXPECT_EQ(std::string("「ローカル エリア接続」の設定を切り替えました。\n (IP=192.168.0.10)"), text);
    ASSERT_EQ(1, composeSwitchedMessage("W", 0, text, sizeof text));
    EXPECT_EQ(std::string("「W」の設定を切り替えました。\n (IP=0.0.0.0)"), text);
    EXPECT_EQ(0, composeSwitchedMessage(nullptr, 0, text, sizeof text));
}

TEST(SwitchedMessage, LongNamesNeedTheirRoom) {
    const std::string name(300, 'n');
    char small[100];
    EXPECT_EQ(0, composeSwitchedMessage(name.c_str(), 0xFFFFFFFFu, small, sizeof small));
    EXPECT_STREQ("", small);
    std::vector<char> room(name.size() + kSwitchedMessageOverhead, '\x7F');
    EXPECT_EQ(1, composeSwitchedMessage(name.c_str(), 0xFFFFFFFFu, room.data(), room.size()));
    EXPECT_NE(std::string::npos, std::string(room.data()).find("(IP=255.255.255.255)"));
}

}  // namespace
