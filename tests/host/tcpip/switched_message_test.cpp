#include "tcpip/switched_message.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(SwitchedMessage, NamesTheConnectionAndTheAddressWhenThereIsRoom) {
    const std::string name(300, 'n');
    char small[128];
    EXPECT_EQ(0, composeSwitchedMessage(name.c_str(), 0xFFFFFFFFu, small, sizeof small));
    EXPECT_STREQ("", small);
    EXPECT_EQ(0, composeSwitchedMessage(nullptr, 0, small, sizeof small));
    std::vector<char> room(name.size() + kSwitchedMessageOverhead);
    EXPECT_EQ(1, composeSwitchedMessage(name.c_str(), 0xC0A8000Au, room.data(), room.size()));
    EXPECT_EQ("「" + name + "」の設定を切り替えました。\n (IP=192.168.0.10)", std::string(room.data()));
}
