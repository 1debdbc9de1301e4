// The rule that tells a touchscreen controller's bytes; see packet_rule.h.
#include "packet_rule.h"

namespace touchfind {

// Windows longer than this are judged on their first 64 KB.
static const size_t kLongestStretch = 0xFFFF;

// The first byte carries the high bit, the others all have it clear.
static bool HighBitPacket(const uint8_t *packet, unsigned period) {
    if (!(packet[0] & 0x80)) return false;
    for (unsigned i = 1; i < period; ++i)
        if (packet[i] & 0x80) return false;
    return true;
}

// The packet starts with lead and is not that one value throughout (a line
// held at one level gives a byte that repeats at every period).
static bool LeadPacket(const uint8_t *packet, unsigned period, uint8_t lead) {
    if (packet[0] != lead) return false;
    for (unsigned i = 1; i < period; ++i)
        if (packet[i] != lead) return true;
    return false;
}

// Bytes that repeat every second byte make packets of any even length; they
// are a chattering line, not a packet of this length.
static bool RepeatsEverySecondByte(const uint8_t *bytes, size_t count) {
    for (size_t i = 2; i < count; ++i)
        if (bytes[i] != bytes[i - 2]) return false;
    return true;
}

static bool Fits(const uint8_t *packet, unsigned period, Marker marker, uint8_t lead) {
    return marker == kHighBit ? HighBitPacket(packet, period) : LeadPacket(packet, period, lead);
}

// The longest run of packets of one period starting at phase.
static Shape LongestRun(const uint8_t *bytes, size_t count, unsigned period, unsigned phase,
                        Marker marker) {
    Shape best = {0, kNoMarker, 0, 0};
    size_t runStart = phase;
    unsigned run = 0;
    for (size_t at = phase; at + period <= count; at += period) {
        if (run > 0 && Fits(bytes + at, period, marker, bytes[runStart])) {
            ++run;
        } else {
            run = Fits(bytes + at, period, marker, bytes[at]) ? 1 : 0;
            runStart = at;
        }
        if (run > best.packets && !RepeatsEverySecondByte(bytes + runStart, run * period))
            best = {static_cast<uint8_t>(period), marker, static_cast<uint16_t>(runStart),
                    static_cast<uint16_t>(run)};
    }
    return best;
}

static Shape LongestRunOfPeriod(const uint8_t *bytes, size_t count, unsigned period) {
    Shape best = {0, kNoMarker, 0, 0};
    static const Marker kMarkers[] = {kHighBit, kLeadByte};
    for (unsigned phase = 0; phase < period; ++phase) {
        for (unsigned m = 0; m < sizeof(kMarkers) / sizeof(kMarkers[0]); ++m) {
            Shape run = LongestRun(bytes, count, period, phase, kMarkers[m]);
            if (run.packets > best.packets) best = run;
        }
    }
    return best;
}

// Of the periods that repeat often enough, the one whose run covers the
// most bytes: a packet that is mostly one value also repeats, for a few
// packets, at a period one shorter. The shorter period wins a tie, so a
// packet is not taken for two of itself.
static Shape FindShapeOf(const uint8_t *bytes, size_t count, unsigned leastPackets,
                         unsigned leastBytes) {
    if (count > kLongestStretch) count = kLongestStretch;
    Shape best = {0, kNoMarker, 0, 0};
    for (unsigned period = kShortestPacket; period <= kLongestPacket; ++period) {
        Shape run = LongestRunOfPeriod(bytes, count, period);
        unsigned runBytes = run.packets * run.period;
        if (run.packets >= leastPackets && runBytes >= leastBytes &&
            runBytes > best.packets * best.period)
            best = run;
    }
    return best;
}

Shape FindShape(const uint8_t *bytes, size_t count) {
    return FindShapeOf(bytes, count, kLeastRepeats, kLeastRunBytes);
}

static bool SamePacket(const uint8_t *a, const uint8_t *b, unsigned period) {
    for (unsigned i = 0; i < period; ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// The packet is one of the idle patterns, read from any of its bytes on:
// the touch window's run need not start where the idle run did.
static bool KnownPattern(const IdleMemory &idle, const uint8_t *packet) {
    unsigned period = idle.shape.period;
    for (unsigned p = 0; p < idle.patternCount; ++p) {
        for (unsigned turn = 0; turn < period; ++turn) {
            bool same = true;
            for (unsigned i = 0; i < period && same; ++i)
                same = packet[i] == idle.patterns[p][(i + turn) % period];
            if (same) return true;
        }
    }
    return false;
}

static void AddPattern(IdleMemory *idle, const uint8_t *packet) {
    unsigned period = idle->shape.period;
    for (unsigned p = 0; p < idle->patternCount; ++p)
        if (SamePacket(idle->patterns[p], packet, period)) return;
    if (idle->patternCount == kIdlePatterns) {
        idle->varied = true;
        return;
    }
    for (unsigned i = 0; i < period; ++i) idle->patterns[idle->patternCount][i] = packet[i];
    ++idle->patternCount;
}

// Untouched, a stream counts from fewer packets: a device that talks slowly
// must not pass for a controller because the idle window was short for it.
IdleMemory RememberIdle(const uint8_t *bytes, size_t count) {
    IdleMemory idle = {FindShapeOf(bytes, count, kLeastIdleRepeats, 0), false, 0, {{0}}};
    const Shape &shape = idle.shape;
    for (unsigned n = 0; n < shape.packets && !idle.varied; ++n)
        AddPattern(&idle, bytes + shape.start + n * shape.period);
    return idle;
}

// Packets of the run that the port never sent untouched.
static unsigned NewPackets(const IdleMemory &idle, const uint8_t *bytes, const Shape &run) {
    unsigned fresh = 0;
    for (unsigned n = 0; n < run.packets; ++n)
        if (!KnownPattern(idle, bytes + run.start + n * run.period)) ++fresh;
    return fresh;
}

bool ShowsTouch(const IdleMemory &idle, const uint8_t *bytes, size_t count, unsigned dataReads,
                unsigned errorReads) {
    // A wrong baud shows as framing and parity errors in most reads.
    if (errorReads * 8 > dataReads) return false;
    Shape run = FindShape(bytes, count);
    if (run.period == 0) return false;
    if (idle.shape.period != run.period) return true;
    if (idle.varied) return false;
    return NewPackets(idle, bytes, run) >= kLeastRepeats;
}

}  // namespace touchfind
