// The applet as the Control Panel sees it: the protocol answers, and the
// resources it names (icon 105, strings 101 and 102, the five page
// templates, the logo). Runs in the test's own process: nothing here opens
// the sheet.
#include <windows.h>
#include <cpl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "applet_fixture.h"

namespace {

typedef LONG(WINAPI *AppletProc)(HWND, UINT, LPARAM, LPARAM);

class ProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_library = LoadLibraryA(applet_e2e::AppletPath().c_str());
        ASSERT_TRUE(m_library != NULL) << applet_e2e::AppletPath();
        applet = reinterpret_cast<AppletProc>(
            reinterpret_cast<void *>(GetProcAddress(m_library, "CPlApplet")));
        ASSERT_TRUE(applet != NULL);
    }
    void TearDown() override {
        if (m_library) FreeLibrary(m_library);
    }

    // The raw bytes of one resource of the library.
    std::vector<unsigned char> Resource(LPCSTR type, int id) {
        HRSRC found = FindResourceA(m_library, MAKEINTRESOURCEA(id), type);
        if (!found) return {};
        const unsigned char *data =
            static_cast<const unsigned char *>(LockResource(LoadResource(m_library, found)));
        return std::vector<unsigned char>(data, data + SizeofResource(m_library, found));
    }

    HMODULE m_library = NULL;
    AppletProc applet = nullptr;
};

TEST_F(ProtocolTest, AnswersInitAndCountWithOne) {
    EXPECT_EQ(1, applet(NULL, CPL_INIT, 0, 0));
    EXPECT_EQ(1, applet(NULL, CPL_GETCOUNT, 0, 0));
}

TEST_F(ProtocolTest, InquireDescribesTheOneApplet) {
    CPLINFO info;
    memset(&info, 0xCD, sizeof(info));
    EXPECT_EQ(0, applet(NULL, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(105, info.idIcon);
    EXPECT_EQ(101, info.idName);
    EXPECT_EQ(102, info.idInfo);
    EXPECT_EQ(0, info.lData);
}

TEST_F(ProtocolTest, OtherMessagesAnswerZeroAndFillNothing) {
    // A NEWCPLINFO-sized area full of a pattern must come back untouched.
    std::vector<unsigned char> area(512, 0xA5);
    for (UINT msg : {CPL_SELECT, CPL_STOP, CPL_EXIT, CPL_NEWINQUIRE, 9, 10, 0, 100}) {
        EXPECT_EQ(0, applet(NULL, msg, 0, reinterpret_cast<LPARAM>(area.data()))) << msg;
        EXPECT_EQ(std::vector<unsigned char>(512, 0xA5), area) << "message " << msg;
    }
}

TEST_F(ProtocolTest, InquireWithoutARecordDoesNotFault) {
    EXPECT_EQ(0, applet(NULL, CPL_INQUIRE, 0, 0));
}

TEST_F(ProtocolTest, NameAndDescriptionStrings) {
    char text[128] = "";
    ASSERT_GT(LoadStringA(m_library, 101, text, sizeof(text)), 0);
    EXPECT_STREQ("Orvantix Touchscreen", text);
    ASSERT_GT(LoadStringA(m_library, 102, text, sizeof(text)), 0);
    EXPECT_STREQ("Orvantix Touchscreen control panel.", text);
}

// Icon group 105: 48, 32 and 16 pixels in 8 and 24 bits, 32 and 16 in 32
// bits; every image an uncompressed DIB (Windows 95 cannot read PNG).
TEST_F(ProtocolTest, IconGroupHoldsEverySizeAndDepth) {
    std::vector<unsigned char> group = Resource(RT_GROUP_ICON, 105);
    ASSERT_GE(group.size(), 6u);
    int count = group[4] | (group[5] << 8);
    ASSERT_EQ(group.size(), 6u + 14u * count);
    std::vector<std::pair<int, int>> images;
    for (int i = 0; i < count; ++i) {
        const unsigned char *entry = &group[6 + 14 * i];
        int size = entry[0] ? entry[0] : 256;
        int bits = entry[6] | (entry[7] << 8);
        images.push_back({size, bits});
        std::vector<unsigned char> image = Resource(RT_ICON, entry[12] | (entry[13] << 8));
        ASSERT_GE(image.size(), 40u);
        EXPECT_EQ(40, image[0]) << "image " << i << " is not a BITMAPINFOHEADER DIB";
        EXPECT_EQ(0, image[16]) << "image " << i << " is compressed";
    }
    std::vector<std::pair<int, int>> expected = {{48, 8},  {32, 8},  {16, 8},  {48, 24},
                                                 {32, 24}, {16, 24}, {32, 32}, {16, 32}};
    EXPECT_EQ(expected, images);
    EXPECT_TRUE(LoadIconA(m_library, MAKEINTRESOURCEA(105)) != NULL);
}

TEST_F(ProtocolTest, LogoIs180By80In24Bits) {
    std::vector<unsigned char> logo = Resource(RT_BITMAP, 107);
    ASSERT_GE(logo.size(), 40u);
    const BITMAPINFOHEADER *header = reinterpret_cast<const BITMAPINFOHEADER *>(logo.data());
    EXPECT_EQ(180, header->biWidth);
    EXPECT_EQ(80, header->biHeight);
    EXPECT_EQ(24, header->biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), header->biCompression);
}

// Reads the size, style and font of a dialog template of either form.
struct TemplateFacts {
    bool extended = false;
    DWORD style = 0;
    int cx = 0, cy = 0;
    int pointSize = 0;
    std::string font;
};

static const WORD *SkipNameOrOrdinal(const WORD *p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p++) {
    }
    return p;
}

static TemplateFacts ReadTemplate(const std::vector<unsigned char> &data) {
    TemplateFacts facts;
    const WORD *words = reinterpret_cast<const WORD *>(data.data());
    bool extended = words[0] == 1 && words[1] == 0xFFFF;
    facts.extended = extended;
    const unsigned char *base = data.data() + (extended ? 12 : 0);
    facts.style = *reinterpret_cast<const DWORD *>(base);
    // style, exstyle (swapped in the extended form), count, x, y, cx, cy
    const WORD *p = reinterpret_cast<const WORD *>(data.data() + (extended ? 16 : 8));
    facts.cx = static_cast<short>(p[3]);
    facts.cy = static_cast<short>(p[4]);
    p = SkipNameOrOrdinal(p + 5);  // menu
    p = SkipNameOrOrdinal(p);      // class
    while (*p++) {
    }  // title
    facts.pointSize = *p++;
    if (extended) p += 2;  // weight, italic and charset
    while (*p) facts.font += static_cast<char>(*p++);
    return facts;
}

TEST_F(ProtocolTest, PageTemplatesShareSizeStyleAndFont) {
    const DWORD expectedStyle = WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT;
    for (int id : {107, 109, 108, 106, 110}) {
        std::vector<unsigned char> data = Resource(RT_DIALOG, id);
        ASSERT_FALSE(data.empty()) << "template " << id;
        TemplateFacts facts = ReadTemplate(data);
        // The plain form, which the oldest common controls read too.
        EXPECT_FALSE(facts.extended) << "template " << id;
        EXPECT_EQ(expectedStyle, facts.style) << "template " << id;
        EXPECT_EQ(210, facts.cx) << "template " << id;
        EXPECT_EQ(205, facts.cy) << "template " << id;
        EXPECT_EQ(10, facts.pointSize) << "template " << id;
        EXPECT_EQ("Verdana", facts.font) << "template " << id;
    }
}

}  // namespace
