// The search for the touchscreen's port, as a schedule over time: every
// open port listens at one baud at a time; first an idle window at each
// baud before the user is asked to touch, then a touch window at each
// baud, ending at the first baud where exactly one port shows a controller
// (packet_rule.h). The Win32 side opens and reads the ports and follows the
// orders; this part decides. Portable (no windows.h), tested natively.
#ifndef SETUP_TOUCH_SEARCH_H
#define SETUP_TOUCH_SEARCH_H

#include <stddef.h>
#include <stdint.h>

#include "packet_rule.h"

namespace touchfind {

const unsigned kMostPorts = 16;
const unsigned kBaudCount = 5;
const size_t kWindowBytes = 384;  // the latest bytes of a port that are judged
// Once a port counts, the others get this long to count as well.
const uint32_t kGraceMs = 600;

struct BaudStep {
    uint32_t baud;
    uint32_t idleMs;
    uint32_t touchMs;
};
// 9600 first and longest: the user starts touching while it listens.
extern const BaudStep kBaudSteps[kBaudCount];

enum Outcome { kSearching, kFound, kNoneFound, kSeveralFound };

// What the shell does after Advance.
struct Order {
    bool setBaud;   // set every port to baud (8N1) and empty its input first
    uint32_t baud;
    bool askTouch;  // ask the user to touch the screen now
    bool finished;  // the search has ended; close the ports
};

class Search {
public:
    Search();

    // A port that was opened; false when kMostPorts are already there.
    bool AddPort(uint32_t number);
    unsigned PortCount() const { return m_portCount; }

    // Bytes read from port index (in the order added) and whether the read
    // saw framing or parity errors.
    void Received(unsigned index, const uint8_t *bytes, size_t count, bool lineErrors);

    // Moves the schedule on to nowMs (any millisecond clock; it may wrap).
    Order Advance(uint32_t nowMs);

    Outcome Result() const { return m_outcome; }
    // The found port, or the ports of the first baud where several counted;
    // returns how many were written (at most max).
    unsigned Candidates(uint32_t *numbers, unsigned max) const;

private:
    enum Stage { kNotStarted, kIdleStage, kTouchStage, kEnded };
    struct Port {
        uint32_t number;
        IdleMemory idle[kBaudCount];
        uint8_t window[kWindowBytes];
        size_t filled;
        unsigned dataReads, errorReads;
        bool counts;
    };

    Order Begin(uint32_t nowMs, Stage stage, unsigned step);
    Order Finish();
    void RememberIdleWindows();
    void JudgeTouch(uint32_t nowMs);
    bool TouchWindowOver(uint32_t nowMs) const;
    bool CloseTouchWindow();

    Port m_ports[kMostPorts];
    unsigned m_portCount;
    Stage m_stage;
    unsigned m_step;
    uint32_t m_windowStart;
    bool m_anyCounts;
    uint32_t m_firstCountedAt;
    Outcome m_outcome;
    uint32_t m_candidates[kMostPorts];
    unsigned m_candidateCount;
};

// "COM1, COM4" into text (size bytes, always terminated); false when cut.
bool FormatPortList(char *text, size_t size, const uint32_t *numbers, unsigned count);

}  // namespace touchfind

#endif
