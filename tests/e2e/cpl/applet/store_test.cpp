// Loading and saving the store through the sheet: every reading rule is
// seen in what OK writes back; OK saves and reloads once per visited page,
// Cancel only reloads; the calibration values are never touched; the save
// sets the system's double-click metrics.
#include "applet_fixture.h"
#include "driver_interface.h"

namespace sim = harness::sim;
using applet_e2e::AppletTest;
using store::ValueId;

namespace {

const char kPortMessage[] =
    "We can not get COM port information from registry,use default values.";

// What one opening finds in the store and what OK must write back.
struct Stored {
    ValueId id;
    DWORD type;
    std::vector<unsigned char> data;
    DWORD expected;
};

std::vector<unsigned char> Bytes(DWORD value) {
    return {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
}

Stored Dword(ValueId id, DWORD value, DWORD expected) { return {id, REG_DWORD, Bytes(value), expected}; }

// A string's bytes with its terminating zero, as RegQueryValueExA gives them.
Stored String(ValueId id, const std::string &text, DWORD expected) {
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    return {id, REG_SZ, data, expected};
}

class StoreTest : public AppletTest {
protected:
    // Writes the values, opens the sheet, presses OK and checks what the
    // store holds afterwards: each written back as a REG_DWORD.
    void RoundTrip(const std::vector<Stored> &values, bool portMessage = false) {
        for (const Stored &v : values) {
            ASSERT_TRUE(harness::WriteBinary(HKEY_LOCAL_MACHINE, applet_e2e::kParamKey,
                                             store::Rule(v.id).name, v.type, v.data));
        }
        harness::Process &host = OpenApplet();
        if (portMessage) AnswerBox("Warning!", kPortMessage);
        HWND sheet = WaitSheet(host);
        ASSERT_TRUE(sheet != NULL);
        if (!portMessage) {
            EXPECT_TRUE(harness::WaitMessageBox("Warning!", 0) == NULL);
        }
        CloseSheet(sheet, host, PSBTN_OK);
        for (const Stored &v : values)
            EXPECT_EQ(v.expected, StoredNumber(v.id)) << store::Rule(v.id).name;
        EXPECT_EQ(7u, harness::ValueNames(HKEY_LOCAL_MACHINE, applet_e2e::kParamKey).size());
    }

    // Opens the sheet on a full store, visits the first 'pages' pages and
    // presses OK.
    void OkAfterVisiting(int pages) {
        harness::Process &host = OpenApplet();
        HWND sheet = WaitSheet(host);
        ASSERT_TRUE(sheet != NULL);
        for (int i = 0; i < pages; ++i) harness::SheetSelectPage(sheet, i);
        CloseSheet(sheet, host, PSBTN_OK);
    }
};

TEST_F(StoreTest, ValuesJustInsideTheirRangesStay) {
    RoundTrip({Dword(store::kBeepMode, 0, 0), Dword(store::kBeepFreq, 1000, 1000),
               Dword(store::kBeepTime, 10, 10), Dword(store::kMouseMode, 0, 0),
               Dword(store::kDragDelay, 0, 0), Dword(store::kDblClickRegion, 25, 25),
               Dword(store::kPort, 1, 1)});
}

TEST_F(StoreTest, ValuesAtTheUpperEndsStay) {
    RoundTrip({Dword(store::kBeepMode, 2, 2), Dword(store::kBeepFreq, 5000, 5000),
               Dword(store::kBeepTime, 200, 200), Dword(store::kMouseMode, 3, 3),
               Dword(store::kDragDelay, 1500, 1500), Dword(store::kDblClickRegion, 100, 100),
               Dword(store::kPort, 16, 16)});
}

// Out of range becomes the fallback, not the nearest bound; a port is
// never range-checked.
TEST_F(StoreTest, ValuesJustAboveTheirRangesFallBack) {
    RoundTrip({Dword(store::kBeepMode, 3, 2), Dword(store::kBeepFreq, 5001, 1000),
               Dword(store::kBeepTime, 201, 32), Dword(store::kMouseMode, 4, 3),
               Dword(store::kDragDelay, 1501, 0), Dword(store::kDblClickRegion, 101, 25),
               Dword(store::kPort, 17, 17)});
}

TEST_F(StoreTest, ValuesJustBelowTheirRangesFallBack) {
    RoundTrip({Dword(store::kBeepFreq, 999, 1000), Dword(store::kBeepTime, 9, 32),
               Dword(store::kDblClickRegion, 24, 25), Dword(store::kPort, 0, 0),
               Dword(store::kBeepMode, 1, 1), Dword(store::kMouseMode, 2, 2),
               Dword(store::kDragDelay, 750, 750)});
}

// Compared unsigned: the largest number (a stored -1) is far above every range.
TEST_F(StoreTest, LargestNumberFallsBackEverywhereButThePort) {
    const DWORD most = 0xFFFFFFFF;
    RoundTrip({Dword(store::kBeepMode, most, 2), Dword(store::kBeepFreq, most, 1000),
               Dword(store::kBeepTime, most, 32), Dword(store::kMouseMode, most, 3),
               Dword(store::kDragDelay, most, 0), Dword(store::kDblClickRegion, most, 25),
               Dword(store::kPort, most, most)});
}

// The type is not checked: up to four bytes of a string make a number.
TEST_F(StoreTest, ShortStringsReadAsTheNumberOfTheirBytes) {
    RoundTrip({String(store::kBeepTime, "2", 0x32),        // "2\0" is 50
               String(store::kDblClickRegion, "<", 0x3C),  // "<\0" is 60
               String(store::kBeepMode, "", 0),            // "\0" is 0
               String(store::kDragDelay, "abc", 0),        // 0x00636261 is out of range
               String(store::kPort, "abc", 0x00636261),    // a port is kept as it is
               {store::kMouseMode, REG_BINARY, {1}, 1},
               {store::kBeepFreq, REG_BINARY, {0xE8, 0x03}, 1000}});
}

// More than four bytes count as missing: every value takes its fallback
// and the missing port brings its message.
TEST_F(StoreTest, LongerStringsCountAsMissing) {
    RoundTrip({String(store::kBeepMode, "1234", 2), String(store::kBeepFreq, "2000", 1000),
               String(store::kBeepTime, "50000", 32), String(store::kMouseMode, "0000", 3),
               String(store::kDragDelay, "1000", 0), String(store::kDblClickRegion, "4444", 25),
               String(store::kPort, "COM2", 1)},
              true);
}

TEST_F(StoreTest, OkSavesAndReloadsOncePerVisitedPage) {
    for (int pages = 1; pages <= 4; ++pages) {
        SCOPED_TRACE(pages);
        WriteInstallDefaults();
        WriteStore(store::kBeepFreq, 999);  // repaired, so a save shows
        sim::Reset();
        OkAfterVisiting(pages);
        EXPECT_EQ(pages, ReloadRequests());
        EXPECT_EQ(1000u, StoredNumber(store::kBeepFreq));
        harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, applet_e2e::kServiceKey);
    }
}

// Cancel, Escape and the close button write nothing and reload once.
TEST_F(StoreTest, CancellingWritesNothingAndReloadsOnce) {
    WriteInstallDefaults();
    WriteStore(store::kBeepFreq, 999);
    struct Way {
        const char *name;
        void (*close)(HWND sheet);
    } ways[] = {
        {"Cancel", [](HWND sheet) { harness::PostSheetPress(sheet, PSBTN_CANCEL); }},
        {"Escape", [](HWND sheet) { harness::SendKey(harness::SheetPage(sheet), VK_ESCAPE); }},
        {"close", [](HWND sheet) { PostMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const Way &way : ways) {
        SCOPED_TRACE(way.name);
        sim::Reset();
        harness::Process &host = OpenApplet();
        HWND sheet = WaitSheet(host);
        ASSERT_TRUE(sheet != NULL);
        for (int i = 0; i < 4; ++i) harness::SheetSelectPage(sheet, i);
        way.close(sheet);
        EXPECT_TRUE(harness::WaitGone(sheet, 10000));
        ExpectHostEnds(host);
        EXPECT_EQ(1, ReloadRequests());
        EXPECT_EQ(999u, StoredNumber(store::kBeepFreq));
    }
}

// The calibration program may save while the sheet is open; OK writes only
// the sheet's own seven values and leaves the new calibration in place.
TEST_F(StoreTest, CalibrationValuesSurviveOk) {
    WriteInstallDefaults();
    harness::Process &host = OpenApplet();
    HWND sheet = WaitSheet(host);
    ASSERT_TRUE(sheet != NULL);
    const DWORD calibration[] = {123, 3980, 4050, 77, 1};
    const ValueId ids[] = {store::kXLow, store::kXHigh, store::kYLow, store::kYHigh,
                           store::kSwapXY};
    for (int i = 0; i < 5; ++i) WriteStore(ids[i], calibration[i]);
    harness::SheetSelectPage(sheet, 3);
    CloseSheet(sheet, host, PSBTN_OK);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(calibration[i], StoredNumber(ids[i]));
    EXPECT_EQ(12u, harness::ValueNames(HKEY_LOCAL_MACHINE, applet_e2e::kParamKey).size());
}

// The save keeps the metrics in the user profile, where Wine keeps them
// as text.
std::string MouseSetting(const char *name) {
    return harness::ReadString(HKEY_CURRENT_USER, "Control Panel\\Mouse", name);
}

TEST_F(StoreTest, SaveSetsDoubleClickMetricsFromModeAndRegion) {
    struct Case {
        DWORD mode, region;
        const char *time;
    } cases[] = {{3, 60, "900"}, {2, 100, "400"}, {0, 25, "400"}, {1, 41, "400"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        WriteInstallDefaults();
        WriteStore(store::kMouseMode, c.mode);
        WriteStore(store::kDblClickRegion, c.region);
        OkAfterVisiting(1);
        EXPECT_EQ(c.time, MouseSetting("DoubleClickSpeed"));
        EXPECT_EQ(std::to_string(c.region), MouseSetting("DoubleClickWidth"));
        EXPECT_EQ(std::to_string(c.region), MouseSetting("DoubleClickHeight"));
    }
}

}  // namespace
