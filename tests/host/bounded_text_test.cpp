// The bounded text helpers every program shares: copies, joins, path
// pieces, decimal numbers and the buffer writer, each never past its buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "bounded_text.h"

namespace {

// A buffer with guard bytes on both sides, to see that nothing is written
// past the size a call was given.
struct Guarded {
    char area[4 + 64 + 4];
    Guarded() { memset(area, '#', sizeof(area)); }
    char *Buffer() { return area + 4; }
    bool GuardsKept(size_t size) const {
        for (size_t i = 0; i < 4; ++i) {
            if (area[i] != '#' || area[4 + size + i] != '#') return false;
        }
        return true;
    }
};

// ---- copies -----------------------------------------------------------------

TEST(BoundedText, CopyAppendAndLength) {
    const struct {
        const char *start, *add;
        size_t size;
        bool copied, appended;
        const char *copy, *joined;  // after Copy(start), after Append(add) to that
    } cases[] = {
        {"abc", "de", 6, true, true, "abc", "abcde"},
        {"abc", "def", 6, true, false, "abc", "abc"},  // Append leaves it whole or alone
        {"abcdef", "", 6, false, true, "abcde", "abcde"},
        {"", "x", 1, true, false, "", ""},
        {nullptr, "x", 2, true, true, "", "x"},
    };
    for (const auto &c : cases) {
        Guarded g;
        char *out = g.Buffer();
        EXPECT_EQ(c.copied, rt::Copy(out, c.size, c.start)) << c.copy;
        EXPECT_STREQ(c.copy, out);
        EXPECT_EQ(c.appended, rt::Append(out, c.size, c.add)) << c.joined;
        EXPECT_STREQ(c.joined, out);
        EXPECT_EQ(strlen(c.joined), rt::Length(out));
        EXPECT_TRUE(g.GuardsKept(c.size)) << c.joined;
    }
    char none = 'q';
    EXPECT_FALSE(rt::Copy(&none, 0, "a"));
    EXPECT_EQ('q', none);
    EXPECT_EQ(3u, rt::Length("abcdef", 3));
    EXPECT_EQ(0u, rt::Length(nullptr));
    char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_FALSE(rt::Append(unterminated, sizeof(unterminated), ""));
}

TEST(BoundedText, FormatUnsignedAndCompareNoCase) {
    char out[11];
    memset(out, 'z', sizeof(out));
    ASSERT_TRUE(rt::FormatUnsigned(out, sizeof(out), 4294967295UL));
    EXPECT_STREQ("4294967295", out);
    ASSERT_TRUE(rt::FormatUnsigned(out, 2, 0));
    EXPECT_STREQ("0", out);
    EXPECT_FALSE(rt::FormatUnsigned(out, 3, 123));
    EXPECT_STREQ("0", out) << "a number that does not fit leaves the buffer alone";
    EXPECT_EQ(0, rt::CompareNoCase("Mouse", "mOUSE"));
    EXPECT_LT(rt::CompareNoCase("Mouse", "mousez"), 0);
    EXPECT_LT(rt::CompareNoCase("[", "A"), 0) << "letters compare as lower case";
    EXPECT_NE(0, rt::CompareNoCase("\xc4", "\xe4")) << "only ASCII letters fold";
}

// ---- paths ------------------------------------------------------------------

TEST(Join, JoinsUpToFourParts) {
    char out[64];
    ASSERT_TRUE(rt::Join(out, sizeof(out), "C:\\WINDOWS", "\\", "Zelvanis"));
    EXPECT_STREQ("C:\\WINDOWS\\Zelvanis", out);
    ASSERT_TRUE(rt::Join(out, sizeof(out), "C:\\WINDOWS\\TEMP\\", "\\", "Setup", ".exe"));
    EXPECT_STREQ("C:\\WINDOWS\\TEMP\\\\Setup.exe", out);
    ASSERT_TRUE(rt::Join(out, sizeof(out), "", nullptr, "x", nullptr));
    EXPECT_STREQ("x", out);
}

TEST(Join, ExactFitAndOneByteTooMany) {
    char out[6];
    memset(out, 'z', sizeof(out));
    ASSERT_TRUE(rt::Join(out, sizeof(out), "ab", "cde"));  // five characters and the NUL
    EXPECT_STREQ("abcde", out);
    EXPECT_FALSE(rt::Join(out, sizeof(out), "ab", "cdef"));
    EXPECT_STREQ("", out) << "a path cut short must not be used";
}

TEST(Join, NeverWritesPastTheBuffer) {
    // The guard bytes around the buffer must stay as they are.
    char area[3 + 260 + 3];
    memset(area, '#', sizeof(area));
    char *out = area + 3;
    std::string longFolder(300, 'a');
    EXPECT_FALSE(rt::Join(out, 260, longFolder.c_str(), "\\*.*"));
    std::string almost(255, 'b');
    EXPECT_FALSE(rt::Join(out, 260, almost.c_str(), "\\", "Setup", ".exe"));
    EXPECT_TRUE(rt::Join(out, 260, almost.c_str(), "\\*.*"));
    EXPECT_EQ(259u, strlen(out));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ('#', area[i]);
        EXPECT_EQ('#', area[3 + 260 + i]);
    }
}

TEST(Join, RejectsAnEmptyBuffer) {
    char out[1] = {'q'};
    EXPECT_FALSE(rt::Join(out, 0, "a", ""));
    EXPECT_EQ('q', out[0]);
    EXPECT_FALSE(rt::Join(nullptr, 10, "a", ""));
    EXPECT_TRUE(rt::Join(out, 1, "", ""));
    EXPECT_EQ('\0', out[0]);
}

TEST(FolderOf, KeepsTheTrailingBackslash) {
    const char *cases[][2] = {{"C:\\WINDOWS\\Zelvanis\\Setup.exe", "C:\\WINDOWS\\Zelvanis\\"},
                              {"C:\\Setup.exe", "C:\\"}, {"Setup.exe", ""}, {"", ""}};
    for (const auto &c : cases) {
        char out[260];
        ASSERT_TRUE(rt::FolderOf(c[0], out, sizeof(out))) << c[0];
        EXPECT_STREQ(c[1], out) << c[0];
    }
}

TEST(FolderOf, TooSmallABufferGivesNothing) {
    char out[8];
    EXPECT_FALSE(rt::FolderOf("C:\\LONGER\\Setup.exe", out, sizeof(out)));
    EXPECT_STREQ("", out);
    ASSERT_TRUE(rt::FolderOf("C:\\ABC\\x", out, sizeof(out)));  // seven and the NUL fit
    EXPECT_STREQ("C:\\ABC\\", out);
    EXPECT_FALSE(rt::FolderOf("C:\\ABCD\\x", out, sizeof(out)));
}

// A folder path loses only its backslash, a file path becomes its parent.
TEST(CutAtLastBackslash, LeavesTheParent) {
    const char *cases[][2] = {
        {"C:\\WINDOWS\\Start Menu\\Programs\\Orvantix Touchscreen\\",
         "C:\\WINDOWS\\Start Menu\\Programs\\Orvantix Touchscreen"},
        {"C:\\Programs\\Orvantix Touchscreen\\Button Switch.lnk",
         "C:\\Programs\\Orvantix Touchscreen"},
        {"Zelvanis", "Zelvanis"},
    };
    for (const auto &c : cases) {
        std::string path = c[0];
        rt::CutAtLastBackslash(&path[0]);
        EXPECT_STREQ(c[1], path.c_str()) << c[0];
    }
    rt::CutAtLastBackslash(nullptr);  // nothing to cut, no crash
}

TEST(FolderName, GetsExactlyOneTrailingBackslash) {
    char folder[260] = "C:\\WINDOWS";
    ASSERT_TRUE(rt::AppendBackslash(folder, sizeof(folder)));
    EXPECT_STREQ("C:\\WINDOWS\\", folder);
    ASSERT_TRUE(rt::AppendBackslash(folder, sizeof(folder)));
    EXPECT_STREQ("C:\\WINDOWS\\", folder);
    char root[260] = "C:\\";
    ASSERT_TRUE(rt::AppendBackslash(root, sizeof(root)));
    EXPECT_STREQ("C:\\", root);
    char empty[2] = "";
    ASSERT_TRUE(rt::AppendBackslash(empty, sizeof(empty)));
    EXPECT_STREQ("\\", empty);
}

TEST(FolderName, FailsCleanlyWhenTheBufferIsFull) {
    char folder[260];
    std::string name(258, 'a');
    memcpy(folder, name.c_str(), name.size() + 1);
    EXPECT_TRUE(rt::AppendBackslash(folder, sizeof(folder)));  // 259 bytes + NUL fit
    EXPECT_EQ(259u, strlen(folder));
    folder[258] = 'b';  // 259 characters, no room for a backslash
    EXPECT_FALSE(rt::AppendBackslash(folder, sizeof(folder)));
    EXPECT_EQ(259u, strlen(folder));
    char unterminated[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(rt::AppendBackslash(unterminated, sizeof(unterminated)));
    char endsInBackslash[3] = {'a', 'b', '\\'};
    EXPECT_FALSE(rt::AppendBackslash(endsInBackslash, sizeof(endsInBackslash)))
        << "a buffer without its terminator is no folder name";
}

// ---- the writer ---------------------------------------------------------------

// The same parts written into buffers of each size: the whole text where it
// fits, else as much of its beginning as the buffer holds, and the writer
// no longer counts it whole.
void WriteParts(rt::Writer &w) {
    w.Put("T ");
    w.PutNumber(-5, 2);
    w.Put(" ");
    w.PutUnsigned(7, 3);
    w.EndLine();
    w.PutNumber(-2147483647L - 1);
    w.Put(nullptr);
    w.PutNumber(2026, 4);
    w.Put("!");
}

TEST(Writer, FillsTheBufferAndRemembersACut) {
    const std::string whole = "T -05 007\r\n-21474836482026!";
    for (size_t size = 1; size <= whole.size() + 2; ++size) {
        Guarded g;
        rt::Writer w(g.Buffer(), size);
        WriteParts(w);
        const bool fits = size > whole.size();
        EXPECT_EQ(fits, w.Whole()) << size;
        EXPECT_EQ(fits ? whole : whole.substr(0, size - 1), g.Buffer()) << size;
        EXPECT_EQ(strlen(g.Buffer()), w.Used()) << size;
        EXPECT_TRUE(g.GuardsKept(size)) << size;
    }
}

TEST(Writer, NumbersLineEndsAndNoBuffer) {
    const struct {
        long value;
        int minDigits;
        const char *text;
    } cases[] = {{0, 1, "0"}, {7, 0, "7"}, {3, 2, "03"}, {12345, 4, "12345"}, {-1, 3, "-001"},
                 {-1234, 3, "-1234"}, {0, 30, "00000000000000000000"}};
    for (const auto &c : cases) {
        char out[32];
        rt::Writer w(out, sizeof(out), "\n");
        w.PutNumber(c.value, c.minDigits);
        w.EndLine();
        EXPECT_TRUE(w.Whole());
        EXPECT_EQ(std::string(c.text) + "\n", out) << c.value << " " << c.minDigits;
    }
    rt::Writer none(nullptr, 10);
    none.Put("x");
    EXPECT_FALSE(none.Whole());
    char one = 'q';
    rt::Writer empty(&one, 0);
    empty.Put("");
    EXPECT_FALSE(empty.Whole());
    EXPECT_EQ('q', one);
}

}  // namespace
