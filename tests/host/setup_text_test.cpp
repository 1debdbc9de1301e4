// Native tests of Setup's owned text: text and bytes, assigning from itself,
// a reserved buffer trimmed at its first NUL.
#include <gtest/gtest.h>
#include <string.h>

#include "portable/text.h"

namespace {

TEST(OwnedText, HoldsTextAndBytes) {
    Text empty(nullptr);
    EXPECT_STREQ("", empty.c_str());
    EXPECT_TRUE(empty.Empty());
    Text text("Mouse");
    ASSERT_TRUE(text.Append("Driver"));
    EXPECT_STREQ("MouseDriver", text.c_str());
    EXPECT_EQ(11u, text.Length());
    const unsigned char bytes[4] = {0x14, 0, 0, 0};
    ASSERT_TRUE(text.AssignBytes(bytes, 4));
    EXPECT_EQ(4u, text.Length());
    EXPECT_EQ(0, memcmp(text.c_str(), bytes, 4));
    Text copy(text);
    EXPECT_EQ(4u, copy.Length());
    EXPECT_EQ(0, memcmp(copy.c_str(), bytes, 4));
}

TEST(OwnedText, AssignsFromItselfAndTrimsAReservedBuffer) {
    Text text("Orvantix");
    text = text;
    EXPECT_STREQ("Orvantix", text.c_str());
    ASSERT_TRUE(text.Assign(text.c_str() + 3));
    EXPECT_STREQ("antix", text.c_str());
    char *room = text.Reserve(10);
    ASSERT_NE(nullptr, room);
    EXPECT_EQ(10u, text.Length());
    memcpy(room, "abc", 3);
    text.TrimAtNul();
    EXPECT_STREQ("abc", text.c_str());
    EXPECT_EQ(3u, text.Length());
}

}  // namespace
