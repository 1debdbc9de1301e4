// How Setup tells a touchscreen controller in a serial port's bytes: a
// packet of 3 to 11 bytes that repeats, marked by a lead byte of one value
// or by the one byte with its high bit set, which the port did not already
// send while nobody touched the screen. No controller's protocol is built
// in. Portable (no windows.h), tested natively over recorded and made-up
// streams.
#ifndef SETUP_PACKET_RULE_H
#define SETUP_PACKET_RULE_H

#include <stddef.h>
#include <stdint.h>

namespace touchfind {

const unsigned kShortestPacket = 3;
const unsigned kLongestPacket = 11;
const unsigned kLeastRepeats = 5;  // packets in a row before a stream counts
// ...and bytes in a row: random bytes carry the high-bit marker of a short
// packet five times in a row every few thousand bytes.
const unsigned kLeastRunBytes = 25;
const unsigned kIdlePatterns = 2;  // packets an idle pattern may alternate between
const unsigned kLeastIdleRepeats = 3;  // packets in a row that an idle stream shows

enum Marker : uint8_t { kNoMarker, kHighBit, kLeadByte };

// The longest run of one repeating packet in a stretch of bytes.
struct Shape {
    uint8_t period;    // the packet's length; 0 when nothing repeats
    Marker marker;
    uint16_t start;    // offset of the run's first packet
    uint16_t packets;  // packets in the run
};

// The packet that repeats at least kLeastRepeats times and kLeastRunBytes
// in a row, over the most bytes.
Shape FindShape(const uint8_t *bytes, size_t count);

// What a port sent at one baud while nobody touched the screen.
struct IdleMemory {
    Shape shape;
    bool varied;  // its packets took more than kIdlePatterns forms
    uint8_t patternCount;
    uint8_t patterns[kIdlePatterns][kLongestPacket];
};

IdleMemory RememberIdle(const uint8_t *bytes, size_t count);

// Whether the bytes a port sent while the screen was touched show a
// controller: a repeating packet, few reads with framing or parity errors
// (a wrong baud), and not the stream it sent untouched. An idle pattern
// counts when touching changes it into packets of other forms.
bool ShowsTouch(const IdleMemory &idle, const uint8_t *bytes, size_t count,
                unsigned dataReads, unsigned errorReads);

}  // namespace touchfind

#endif
