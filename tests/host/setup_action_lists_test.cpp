// Native tests of Setup's action lists: insertion order and the bytes given.
#include <gtest/gtest.h>

#include <string>

#include "portable/action_lists.h"
#include "setup_lists.h"

namespace {

TEST(ActionLists, KeepInsertionOrderAndTheGivenBytes) {
    FileList files;
    ASSERT_TRUE(AppendFile(&files, "a.exe", "C:\\a.exe"));
    ASSERT_TRUE(AppendFile(&files, nullptr, nullptr));
    ASSERT_EQ(2u, files.Count());
    EXPECT_STREQ("a.exe", files.First()->source.c_str());
    EXPECT_STREQ("", files.First()->next->target.c_str());

    RegList keys;
    const unsigned char word[4] = {1, 2, 3, 4};
    ASSERT_TRUE(AppendRegValue(&keys, "K", "Text", "Mouse", 99, kRegSz, kRootLocalMachine));
    ASSERT_TRUE(AppendRegValue(&keys, "K", "Bin", word, 3, kRegBinary, kRootLocalMachine));
    ASSERT_TRUE(AppendRegValue(&keys, "K", nullptr, word, 0, kRegDword, kRootLocalMachine));
    ASSERT_TRUE(AppendRegValue(&keys, "K", "Null", nullptr, 4, kRegBinary, kRootLocalMachine));
    const RegEntry *e = keys.First();
    EXPECT_EQ("Mouse", Bytes(e->data));  // length ignored for text
    e = e->next;
    EXPECT_EQ(std::string("\x01\x02\x03", 3), Bytes(e->data));
    e = e->next;
    EXPECT_STREQ("", e->valueName.c_str());
    EXPECT_TRUE(e->data.Empty());
    EXPECT_TRUE(e->next->data.Empty());
    keys.Clear();
    EXPECT_EQ(0u, keys.Count());
    EXPECT_EQ(nullptr, keys.First());
}

}  // namespace
