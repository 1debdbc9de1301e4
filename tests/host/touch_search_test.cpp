// Native tests of the touchscreen port search: which streams show a
// controller (binary packets with a high-bit or lead-byte marker, ASCII
// lines, an idle pattern that touching changes) and which do not (a
// chattering device, a wrong baud, silence), then the search's schedule
// over a simulated clock with devices on several ports.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "portable/packet_rule.h"
#include "portable/touch_search.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace touchfind;

// Coordinates that wander as a finger does.
uint16_t X(int n) { return static_cast<uint16_t>(1000 + 37 * n % 2000); }
uint16_t Y(int n) { return static_cast<uint16_t>(3000 - 53 * n % 2500); }

// 5 bytes: status with the high bit, then 7-bit halves of X and Y.
Bytes HighBit(int n) {
    return {0xC1, uint8_t(X(n) & 0x7F), uint8_t(X(n) >> 7), uint8_t(Y(n) & 0x7F),
            uint8_t(Y(n) >> 7)};
}
// 10 bytes: lead 'U', 'T', status, X, Y, Z little-endian, a check byte.
Bytes LeadByte(int n) {
    return {0x55, 'T', 0x83, uint8_t(X(n)), uint8_t(X(n) >> 8), uint8_t(Y(n)), uint8_t(Y(n) >> 8),
            uint8_t(n), 0, uint8_t(X(n) ^ Y(n))};
}
// "xxxx,yyyy\r", 10 characters.
Bytes Ascii(int n) {
    char line[16];
    snprintf(line, sizeof(line), "%04u,%04u\r", X(n) % 10000u, Y(n) % 10000u);
    return Bytes(line, line + 10);
}
// 11 bytes led by 0xAA: an untouched heartbeat with zeros, then touches.
Bytes Heartbeat(int) { return {0xAA, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x55}; }
Bytes Pressed(int n) {
    return {0xAA, 1, uint8_t(X(n)), uint8_t(X(n) >> 8), uint8_t(Y(n)), uint8_t(Y(n) >> 8),
            0, 0, 0, 0, 0x55};
}
// A device that talks all the time: 3-byte packets with a moving count.
Bytes Chatter(int n) { return {0x8F, uint8_t(n & 0x7F), uint8_t((n * 3) & 0x7F)}; }
// A wrong baud: bytes with no period.
Bytes Noise(int n) {
    std::mt19937 random{uint32_t(n)};
    Bytes b(7);
    for (uint8_t &x : b) x = uint8_t(random());
    return b;
}
Bytes Silent(int) { return {}; }

using Packet = std::function<Bytes(int)>;

// count packets from the middle of one on, as a window opens mid-stream.
Bytes Stream(const Packet &packet, int count, int from = 0) {
    Bytes all;
    for (int n = from; n < from + count; ++n) {
        Bytes p = packet(n);
        all.insert(all.end(), p.begin(), p.end());
    }
    if (all.size() > 3) all.erase(all.begin(), all.begin() + 3);
    return all;
}

TEST(PacketRule, FindsTheRepeatingPacketAndItsLength) {
    const struct {
        const char *name;
        Packet packet;
        int count;
        unsigned period;
    } cases[] = {
        {"high-bit binary", HighBit, 12, 5}, {"lead-byte binary", LeadByte, 12, 10},
        {"ascii lines", Ascii, 12, 10},      {"idle heartbeat", Heartbeat, 12, 11},
        {"chattering", Chatter, 20, 3},      {"too few packets", HighBit, 5, 0},
        {"five short packets are too few bytes", Chatter, 6, 0},
        {"wrong-baud noise", Noise, 60, 0},  {"silence", Silent, 10, 0},
        {"a line held at one level", [](int) { return Bytes(4, 0xFF); }, 30, 0},
        {"two bytes alternating", [](int) { return Bytes{0xF0, 0x0F}; }, 40, 0},
    };
    for (const auto &c : cases) {
        Bytes s = Stream(c.packet, c.count);
        Shape shape = FindShape(s.data(), s.size());
        EXPECT_EQ(c.period, shape.period) << c.name;
        EXPECT_TRUE(c.period == 0 || shape.packets >= kLeastRepeats) << c.name;
    }
}

// A wrong baud's bytes: a short high-bit packet shows up by chance in about
// one window in a hundred unless a run must also be long in bytes.
TEST(PacketRule, FindsNoPacketInRandomBytes) {
    std::mt19937 random(23);
    int shapes = 0;
    for (int window = 0; window < 1000; ++window) {
        uint8_t bytes[kWindowBytes];
        for (uint8_t &b : bytes) b = uint8_t(random());
        shapes += FindShape(bytes, sizeof(bytes)).period != 0;
    }
    EXPECT_EQ(0, shapes);
}

TEST(PacketRule, CountsATouchOnlyWhenTheIdleWindowDidNotShowTheSameStream) {
    const struct {
        const char *name;
        Packet idle, touch;
        unsigned dataReads, errorReads;
        bool counts;
    } cases[] = {
        {"high-bit controller, silent untouched", Silent, HighBit, 10, 0, true},
        {"lead-byte controller", Silent, LeadByte, 10, 0, true},
        {"ascii controller", Silent, Ascii, 10, 0, true},
        {"idle pattern changed by the touch", Heartbeat, Pressed, 10, 0, true},
        {"idle pattern, nobody touching", Heartbeat, Heartbeat, 10, 0, false},
        {"chattering device", Chatter, Chatter, 10, 0, false},
        {"slow chatter, three packets untouched",
         [](int n) { return n % 20 < 4 ? Chatter(n) : Bytes{}; },
         Chatter, 10, 0, false},
        {"chatter untouched, a controller's packet now", Chatter, HighBit, 10, 0, true},
        {"wrong-baud noise", Silent, Noise, 10, 0, false},
        {"packets with framing errors in most reads", Silent, HighBit, 10, 6, false},
        {"one read with an error", Silent, HighBit, 10, 1, true},
    };
    for (const auto &c : cases) {
        Bytes idle = Stream(c.idle, 20, 500), touch = Stream(c.touch, 20);
        IdleMemory memory = RememberIdle(idle.data(), idle.size());
        bool counts =
            ShowsTouch(memory, touch.data(), touch.size(), c.dataReads, c.errorReads);
        EXPECT_EQ(c.counts, counts)
            << c.name;
    }
}

// A device on one port: what it sends in 50 ms at the port's baud, touched
// or not. A controller sends its packets only at its own baud; at another
// its bytes have no period.
struct Device {
    Packet untouched, touched;
    uint32_t baud;  // 0: the same at any baud
    int sent = 0;
    Bytes Tick(uint32_t portBaud, bool touching) {
        bool ownBaud = baud == 0 || baud == portBaud;
        const Packet &packet = touching ? touched : untouched;
        Bytes out;
        for (int i = 0; i < 4; ++i, ++sent) {
            Bytes p = ownBaud ? packet(sent) : (touching ? Noise(sent) : Bytes{});
            out.insert(out.end(), p.begin(), p.end());
        }
        return out;
    }
};

struct SearchRun {
    Outcome outcome;
    std::vector<uint32_t> candidates;
    uint32_t askedAtMs, endedAtMs;
    std::vector<uint32_t> bauds;  // in the order they were set
};

// Runs a search with a 50 ms poll over devices on COM1, COM2, ...; the user
// touches from the moment the search asks.
SearchRun RunSearch(std::vector<Device> devices, uint32_t startMs = 0xFFFFF000u) {
    Search search;
    for (size_t i = 0; i < devices.size(); ++i) search.AddPort(uint32_t(i + 1));
    SearchRun run = {kSearching, {}, 0, 0, {}};
    uint32_t baud = 0, now = startMs;
    bool touching = false;
    for (int tick = 0; tick < 2000; ++tick, now += 50) {
        Order order = search.Advance(now);
        if (order.setBaud) run.bauds.push_back(baud = order.baud);
        if (order.askTouch) touching = true, run.askedAtMs = now - startMs;
        if (order.finished) {
            run.endedAtMs = now - startMs;
            break;
        }
        for (size_t i = 0; i < devices.size(); ++i) {
            Bytes b = devices[i].Tick(baud, touching);
            search.Received(unsigned(i), b.data(), b.size(), false);
        }
    }
    run.outcome = search.Result();
    uint32_t numbers[kMostPorts];
    run.candidates.assign(numbers, numbers + search.Candidates(numbers, kMostPorts));
    return run;
}

const Device kQuiet = {Silent, Silent, 0};
const Device kChatter = {Chatter, Chatter, 0};

TEST(Search, FindsTheOneControllerAtItsBaudAndStopsThere) {
    const struct {
        const char *name;
        Device controller;
        std::vector<uint32_t> bauds;
    } cases[] = {
        {"high-bit at 9600", {Silent, HighBit, 9600}, {9600}},
        {"lead byte at 19200", {Silent, LeadByte, 19200}, {9600, 19200}},
        {"ascii at 2400", {Silent, Ascii, 2400}, {9600, 19200, 4800, 2400}},
        {"idle pattern at 1200", {Heartbeat, Pressed, 1200}, {9600, 19200, 4800, 2400, 1200}},
    };
    for (const auto &c : cases) {
        SearchRun run = RunSearch({kChatter, c.controller, kQuiet});
        EXPECT_EQ(kFound, run.outcome) << c.name;
        EXPECT_EQ(std::vector<uint32_t>{2}, run.candidates) << c.name;
        std::vector<uint32_t> bauds(run.bauds.begin() + kBaudCount, run.bauds.end());
        EXPECT_EQ(c.bauds, bauds) << c.name;
    }
}

TEST(Search, ListensIdleAtEveryBaudBeforeAskingForATouch) {
    SearchRun run = RunSearch({{Silent, HighBit, 9600}});
    std::vector<uint32_t> idle(run.bauds.begin(), run.bauds.begin() + kBaudCount);
    EXPECT_EQ((std::vector<uint32_t>{9600, 19200, 4800, 2400, 1200}), idle);
    uint32_t idleMs = 0;
    for (const BaudStep &step : kBaudSteps) idleMs += step.idleMs;
    EXPECT_NEAR(idleMs, run.askedAtMs, 50 * kBaudCount);
    EXPECT_LE(run.endedAtMs - run.askedAtMs, 3000u) << "found within 3 s of the first touch";
}

TEST(Search, NamesSeveralOrNoneAndEndsWithinHalfAMinute) {
    const struct {
        const char *name;
        std::vector<Device> devices;
        Outcome outcome;
        std::vector<uint32_t> candidates;
    } cases[] = {
        {"two controllers", {{Silent, HighBit, 9600}, kQuiet, {Silent, Ascii, 9600}},
         kSeveralFound, {1, 3}},
        {"chattering only", {kChatter, kQuiet}, kNoneFound, {}},
        {"no port opened", {}, kNoneFound, {}},
    };
    for (const auto &c : cases) {
        SearchRun run = RunSearch(c.devices);
        EXPECT_EQ(c.outcome, run.outcome) << c.name;
        EXPECT_EQ(c.candidates, run.candidates) << c.name;
        EXPECT_LE(run.endedAtMs, 30000u) << c.name;
    }
}

TEST(PortList, JoinsNamesAndRefusesToCut) {
    const uint32_t numbers[] = {1, 10, 4};
    char text[32];
    EXPECT_TRUE(FormatPortList(text, sizeof(text), numbers, 3));
    EXPECT_STREQ("COM1, COM10, COM4", text);
    EXPECT_TRUE(FormatPortList(text, sizeof(text), numbers, 0));
    EXPECT_STREQ("", text);
    EXPECT_FALSE(FormatPortList(text, 10, numbers, 3));
    EXPECT_EQ(9u, strlen(text));
}

}  // namespace
