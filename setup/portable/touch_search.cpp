// The schedule of the search for the touchscreen's port; see touch_search.h.
#include "touch_search.h"

#include "port_names.h"

namespace touchfind {

// About a second of idle listening in all before the user is asked, long
// enough at each baud for a chattering device to repeat its packet.
const BaudStep kBaudSteps[kBaudCount] = {
    {9600, 700, 7000}, {19200, 500, 3500}, {4800, 700, 3500},
    {2400, 900, 3500}, {1200, 1200, 3500},
};

Search::Search()
    : m_portCount(0), m_stage(kNotStarted), m_step(0), m_windowStart(0), m_anyCounts(false),
      m_firstCountedAt(0), m_outcome(kSearching), m_candidateCount(0) {}

bool Search::AddPort(uint32_t number) {
    if (m_portCount == kMostPorts || m_stage != kNotStarted) return false;
    Port &port = m_ports[m_portCount++];
    port.number = number;
    port.filled = 0;
    port.dataReads = port.errorReads = 0;
    port.counts = false;
    return true;
}

// Keeps the latest kWindowBytes: when full, the older half goes.
void Search::Received(unsigned index, const uint8_t *bytes, size_t count, bool lineErrors) {
    if (index >= m_portCount) return;
    Port &port = m_ports[index];
    if (count > 0) ++port.dataReads;
    if (lineErrors) ++port.errorReads;
    for (size_t i = 0; i < count; ++i) {
        if (port.filled == kWindowBytes) {
            const size_t half = kWindowBytes / 2;
            for (size_t k = 0; k < half; ++k) port.window[k] = port.window[k + half];
            port.filled = half;
        }
        port.window[port.filled++] = bytes[i];
    }
}

Order Search::Begin(uint32_t nowMs, Stage stage, unsigned step) {
    m_stage = stage;
    m_step = step;
    m_windowStart = nowMs;
    m_anyCounts = false;
    for (unsigned i = 0; i < m_portCount; ++i) {
        Port &port = m_ports[i];
        port.filled = 0;
        port.dataReads = port.errorReads = 0;
        port.counts = false;
    }
    Order order = {true, kBaudSteps[step].baud, false, false};
    return order;
}

Order Search::Finish() {
    m_stage = kEnded;
    if (m_outcome == kSearching) m_outcome = m_candidateCount > 0 ? kSeveralFound : kNoneFound;
    Order order = {false, 0, false, true};
    return order;
}

void Search::RememberIdleWindows() {
    for (unsigned i = 0; i < m_portCount; ++i) {
        Port &port = m_ports[i];
        port.idle[m_step] = RememberIdle(port.window, port.filled);
    }
}

void Search::JudgeTouch(uint32_t nowMs) {
    for (unsigned i = 0; i < m_portCount; ++i) {
        Port &port = m_ports[i];
        if (port.counts) continue;
        port.counts = ShowsTouch(port.idle[m_step], port.window, port.filled, port.dataReads,
                                 port.errorReads);
        if (port.counts && !m_anyCounts) {
            m_anyCounts = true;
            m_firstCountedAt = nowMs;
        }
    }
}

bool Search::TouchWindowOver(uint32_t nowMs) const {
    if (m_anyCounts) return nowMs - m_firstCountedAt >= kGraceMs;
    return nowMs - m_windowStart >= kBaudSteps[m_step].touchMs;
}

// True when exactly one port counted: the search has its answer. Several
// are remembered from the first baud that had them, for the message.
bool Search::CloseTouchWindow() {
    uint32_t counted[kMostPorts];
    unsigned count = 0;
    for (unsigned i = 0; i < m_portCount; ++i)
        if (m_ports[i].counts) counted[count++] = m_ports[i].number;
    if (count == 1 || (count > 1 && m_candidateCount == 0)) {
        for (unsigned i = 0; i < count; ++i) m_candidates[i] = counted[i];
        m_candidateCount = count;
    }
    if (count != 1) return false;
    m_outcome = kFound;
    return true;
}

Order Search::Advance(uint32_t nowMs) {
    Order wait = {false, 0, false, false};
    switch (m_stage) {
    case kNotStarted:
        return Begin(nowMs, kIdleStage, 0);
    case kIdleStage:
        if (nowMs - m_windowStart < kBaudSteps[m_step].idleMs) return wait;
        RememberIdleWindows();
        if (m_step + 1 < kBaudCount) return Begin(nowMs, kIdleStage, m_step + 1);
        wait = Begin(nowMs, kTouchStage, 0);
        wait.askTouch = true;
        return wait;
    case kTouchStage:
        JudgeTouch(nowMs);
        if (!TouchWindowOver(nowMs)) return wait;
        if (CloseTouchWindow() || m_step + 1 == kBaudCount) return Finish();
        return Begin(nowMs, kTouchStage, m_step + 1);
    case kEnded:
        break;
    }
    return Finish();
}

unsigned Search::Candidates(uint32_t *numbers, unsigned max) const {
    unsigned count = m_candidateCount < max ? m_candidateCount : max;
    for (unsigned i = 0; i < count; ++i) numbers[i] = m_candidates[i];
    return count;
}

bool FormatPortList(char *text, size_t size, const uint32_t *numbers, unsigned count) {
    rt::Writer writer(text, size);
    for (unsigned i = 0; i < count; ++i) {
        char name[16];
        if (!ports::PortName(name, sizeof(name), numbers[i])) return false;
        if (i > 0) writer.Put(", ");
        writer.Put(name);
    }
    return writer.Whole();
}

}  // namespace touchfind
