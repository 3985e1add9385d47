#include "tcpip/switched_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(SwitchedMessage, NamesTheConnectionAndTheAddressWhenThereIsRoom) {
    char text[128];
    ASSERT_EQ(1, composeSwitchedMessage("ローカル エリア接続", 0xC0A8000Au, text, sizeof text));
    EXPECT_EQ(std::string("「ローカル エリア接続」の設定を切り替えました。\n (IP=192.168.0.10)"), text);
    EXPECT_EQ(0, composeSwitchedMessage(nullptr, 0, text, sizeof text));
    const std::string name(300, 'n');
    EXPECT_EQ(0, composeSwitchedMessage(name.c_str(), 0xFFFFFFFFu, text, sizeof text));
    EXPECT_STREQ("", text);
    std::vector<char> room(name.size() + kSwitchedMessageOverhead);
    EXPECT_EQ(1, composeSwitchedMessage(name.c_str(), 0xFFFFFFFFu, room.data(), room.size()));
    EXPECT_EQ("「" + name + "」の設定を切り替えました。\n (IP=255.255.255.255)", std::string(room.data()));
}

}  // namespace
