// Setup's "Find by touch..." under Wine with real serial paths: COM1..COM4
// are pseudo-terminals whose devices feeder.py plays (serial_rig.sh runs
// this program). One Setup run searches case after case in its port
// dialog, then installs with the port found last.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "setup_fixture.h"

namespace {

const char kFindCaption[] = "Find the touchscreen";
const char kTouchPrompt[] = "Touch the screen and move your finger on it until this window closes.";
const int kPortList = 1000, kFindButton = 1005, kFoundLine = 1006, kFindText = 1010,
          kInUseLine = 1011;

// The feeder's control file and answers (see feeder.py).
class Feeder {
public:
    Feeder() {
        const char *dir = getenv("ORVANTIX_FEEDER");
        m_dir = dir ? harness::WindowsPathOf(dir) + "\\" : "";
    }
    bool Ready() const { return !m_dir.empty(); }
    void Play(const std::string &devices, bool touching) {
        m_devices = devices + (touching ? "touch 1\n" : "touch 0\n");
        Write();
    }
    void Mark(const std::string &name) {
        m_extra += "mark " + name + "\n";
        Write();
    }
    // How many processes besides the feeder hold each port open.
    std::map<std::string, int> Openers() {
        std::string answer = "answer " + std::to_string(++m_asked);
        m_extra += "ask " + std::to_string(m_asked) + "\n";
        Write();
        std::map<std::string, int> openers;
        harness::WaitUntil(
            [&] { return harness::ReadTextFile(m_dir + "status").find(answer) == 0; }, 5000);
        std::istringstream status(harness::ReadTextFile(m_dir + "status"));
        std::string port;
        status >> port >> port;  // "answer N"
        for (int count, baud; status >> port >> count >> baud;) openers[port] = count;
        return openers;
    }
    double Event(const std::string &name) {
        std::ifstream events(m_dir + "events");
        for (std::string line; std::getline(events, line);)
            if (line.rfind(name + " ", 0) == 0) return std::stod(line.substr(name.size() + 1));
        return -1;
    }

private:
    // Written whole and renamed, so the feeder never reads half a file.
    void Write() {
        harness::WriteTextFile(m_dir + "devices.new", m_devices + m_extra);
        MoveFileExA((m_dir + "devices.new").c_str(), (m_dir + "devices").c_str(),
                    MOVEFILE_REPLACE_EXISTING);
    }
    std::string m_dir, m_devices, m_extra;
    int m_asked = 0;
};

std::string Selected(HWND port) {
    HWND list = harness::Child(port, kPortList);
    return harness::ComboText(list, static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0)));
}

struct FindCase {
    const char *name;
    const char *devices;
    const char *inUse;     // the search window's line
    const char *selected;  // the list's selection afterwards
    const char *foundLine;
    const char *box;       // the message that follows, "" for none
};

// The chattering device talks on every case's other port and is never taken.
const FindCase kCases[] = {
    {"high-bit binary at 9600, a port held by another program",
     "COM2 highbit 9600\nCOM3 chatter\nCOM4 held\n", "In use, not searched: COM4.", "COM2",
     "Touchscreen found on COM2.", ""},
    {"lead-byte binary at 19200", "COM4 lead 19200\nCOM1 chatter\n", "", "COM4",
     "Touchscreen found on COM4.", ""},
    {"ascii lines at 2400", "COM1 ascii 2400\nCOM2 chatter\n", "", "COM1",
     "Touchscreen found on COM1.", ""},
    {"an idle stream that touching changes", "COM3 heartbeat 9600\nCOM2 chatter\n", "", "COM3",
     "Touchscreen found on COM3.", ""},
    {"two controllers", "COM1 highbit 9600\nCOM2 ascii 9600\nCOM4 chatter\n", "", "COM3",
     "Touchscreen found on COM3.",
     "More than one port answered the touch: COM1, COM2. Please choose the touchscreen's port "
     "in the list."},
    {"none, only chatter", "COM2 chatter\nCOM4 held\n", "In use, not searched: COM4.", "COM3",
     "Touchscreen found on COM3.",
     "No touchscreen answered the touch on the serial ports. Please choose its port in the "
     "list.\r\n\r\nIn use, not searched: COM4."},
};

class PortFindTest : public ::testing::Test {
protected:
    // Opens the search window and waits for it to ask for a touch.
    HWND StartSearch(const char *devices) {
        m_feeder.Play(devices, false);
        ExpectEveryPortClosed();  // also: the feeder now plays these devices
        harness::PostClick(m_port, kFindButton);
        HWND find = m_run.WaitWindow(kFindCaption);
        auto asks = [&] { return harness::Text(harness::Child(find, kFindText)) == kTouchPrompt; };
        if (find && !harness::WaitUntil(asks, 10000)) ADD_FAILURE() << "it never asked for a touch";
        return find;
    }
    // The search's message box text, answered; "" when none came.
    std::string Message() {
        HWND box = m_run.WaitWindow(kFindCaption, 1000);
        if (!box) return "";
        std::string text = harness::MessageBoxText(box);
        harness::PostClick(box, IDOK);
        harness::WaitGone(box);
        return text;
    }
    void ExpectEveryPortClosed() {
        std::map<std::string, int> openers = m_feeder.Openers();
        const std::map<std::string, int> none = {
            {"COM1", 0}, {"COM2", 0}, {"COM3", 0}, {"COM4", 0}};
        EXPECT_EQ(none, openers);
    }
    void SetUp() override {
        ASSERT_TRUE(m_feeder.Ready()) << "run under serial_rig.sh";
        m_port = OpenPortDialog(m_run);
        ASSERT_TRUE(m_port);
    }

    harness::MachineGuard m_guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium m_medium;
    Feeder m_feeder;
    SetupRun m_run{m_medium.Folder(), ""};
    HWND m_port = NULL;
};

TEST_F(PortFindTest, FindsEachControllerNamesSeveralOrNoneAndInstallsTheFoundPort) {
    for (const FindCase &c : kCases) {
        SCOPED_TRACE(c.name);
        HWND find = StartSearch(c.devices);
        ASSERT_TRUE(find);
        EXPECT_EQ(c.inUse, harness::Text(harness::Child(find, kInUseLine)));
        m_feeder.Play(c.devices, true);
        EXPECT_TRUE(harness::WaitGone(find, 40000));
        m_feeder.Play(c.devices, false);
        EXPECT_EQ(c.box, Message());
        EXPECT_EQ(c.selected, Selected(m_port));
        EXPECT_EQ(c.foundLine, harness::Text(harness::Child(m_port, kFoundLine)));
        ExpectEveryPortClosed();
    }
    {
        SCOPED_TRACE("Enter, then Cancel, while a controller is touched");
        HWND find = StartSearch("COM1 highbit 2400\n");
        ASSERT_TRUE(find);
        m_feeder.Play("COM1 highbit 2400\n", true);
        harness::SendKey(find, VK_RETURN);
        harness::Pause(300);
        EXPECT_TRUE(IsWindow(find)) << "Enter does not end the search";
        harness::PostClick(find, IDCANCEL);
        EXPECT_TRUE(harness::WaitGone(find, 1500)) << "the search ends at once";
        EXPECT_EQ("", Message());
        EXPECT_EQ("COM3", Selected(m_port));
        ExpectEveryPortClosed();
    }
    harness::PostClick(m_port, IDOK);
    HWND complete = m_run.WaitWindow(kCompleteCaption);
    ASSERT_TRUE(complete);
    harness::PostClick(complete, IDCANCEL);
    EXPECT_EQ(0u, m_run.EndCode());
    EXPECT_EQ(3u, Parameter("Port")) << "the installation stores the port found";
}

// Run by scripts/bench-portfind.sh: the time from the controller's first
// touched packet to the selection, at 9600 and at 1200 baud.
TEST_F(PortFindTest, DISABLED_Benchmark) {
    for (std::string baud : {"9600", "1200"}) {
        std::string devices = "COM2 highbit " + baud + "\n";
        HWND find = StartSearch(devices.c_str());
        ASSERT_TRUE(find);
        m_feeder.Mark("asked" + baud);
        m_feeder.Play(devices, true);
        auto chosen = [&] { return !IsWindow(find) && Selected(m_port) == "COM2"; };
        ASSERT_TRUE(harness::WaitUntil(chosen, 40000));
        m_feeder.Mark("selected" + baud);
        harness::Pause(100);
        double touched = m_feeder.Event("touched"), asked = m_feeder.Event("mark asked" + baud),
               selected = m_feeder.Event("mark selected" + baud);
        printf("%s: first touched packet to selection %.2f s, "
               "request to touch to selection %.2f s\n",
               baud.c_str(), selected - touched, selected - asked);
        m_feeder.Play(devices, false);
        SelectPort(m_port, "COM1");
    }
}

}  // namespace
