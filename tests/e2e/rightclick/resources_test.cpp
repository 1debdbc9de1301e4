// What Fennock.exe carries besides code: the two mouse pictures (sizes,
// 16 colours, which button is hatched), the program icon and the version.
#include <gtest/gtest.h>

#include <string>

#include "fennock_run.h"

namespace {

const COLORREF kHatch = RGB(0, 0, 128);

class ResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(FennockPath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module_) << FennockPath();
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }

    const BITMAPINFOHEADER *Bitmap(int id) const {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(2));
        if (!found) return nullptr;
        return static_cast<const BITMAPINFOHEADER *>(LockResource(LoadResource(module_, found)));
    }

    HMODULE module_ = NULL;
};

struct HatchCount {
    int left = 0;
    int right = 0;
};

// Pixels of the hatching colour left and right of the picture's middle.
HatchCount CountHatching(const BITMAPINFOHEADER *info) {
    const RGBQUAD *palette = reinterpret_cast<const RGBQUAD *>(info + 1);
    const int colours = info->biClrUsed ? info->biClrUsed : 16;
    const BYTE *bits = reinterpret_cast<const BYTE *>(palette + colours);
    const int stride = ((info->biWidth * 4 + 31) / 32) * 4;
    HatchCount count;
    for (int y = 0; y < info->biHeight; ++y) {
        for (int x = 0; x < info->biWidth; ++x) {
            BYTE pair = bits[y * stride + x / 2];
            const RGBQUAD &c = palette[x % 2 ? pair & 0x0F : pair >> 4];
            if (RGB(c.rgbRed, c.rgbGreen, c.rgbBlue) != kHatch) continue;
            (2 * x < info->biWidth ? count.left : count.right)++;
        }
    }
    return count;
}

struct PictureCase {
    int id;
    LONG width;
    bool leftHatched;  // else the right button is
};

// 108 is the idle mouse (left button hatched), 107 the pending one.
TEST_F(ResourcesTest, PicturesHaveTheirSizesSixteenColoursAndTheRightButtonHatched) {
    const PictureCase pictures[] = {{108, 62, true}, {107, 57, false}};
    for (const PictureCase &picture : pictures) {
        const BITMAPINFOHEADER *info = Bitmap(picture.id);
        ASSERT_NE(nullptr, info) << picture.id;
        EXPECT_EQ(picture.width, info->biWidth) << picture.id;
        EXPECT_EQ(41, info->biHeight) << picture.id;
        ASSERT_EQ(4, info->biBitCount) << picture.id;
        HatchCount hatch = CountHatching(info);
        EXPECT_GT(picture.leftHatched ? hatch.left : hatch.right, 20) << picture.id;
        EXPECT_EQ(0, picture.leftHatched ? hatch.right : hatch.left) << picture.id;
    }
}

TEST_F(ResourcesTest, ProgramIconAndDialogArePresent) {
    EXPECT_NE(nullptr, FindResourceA(module_, MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(14)));
    EXPECT_NE(nullptr, FindResourceA(module_, MAKEINTRESOURCEA(105), MAKEINTRESOURCEA(5)));
}

TEST_F(ResourcesTest, VersionNamesTheProduct) {
    EXPECT_EQ("Orvantix touchscreen in time switching utility.",
              harness::VersionString(FennockPath(), "FileDescription"));
    EXPECT_EQ("Orvantix Touchscreen", harness::VersionString(FennockPath(), "ProductName"));
    EXPECT_EQ("5.5.0.1", harness::VersionString(FennockPath(), "FileVersion"));
    EXPECT_EQ("5.5.0.1", harness::VersionString(FennockPath(), "ProductVersion"));
}

}  // namespace
