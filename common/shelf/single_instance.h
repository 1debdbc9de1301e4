// The one-instance-at-a-time check every program makes before it starts.
#ifndef SHELF_SINGLE_INSTANCE_H
#define SHELF_SINGLE_INSTANCE_H

namespace shelf {

// True when a living process already holds the named mutex. Otherwise this
// process now holds it, on purpose never released, until it ends.
bool AnotherInstanceHolds(const char *mutexName);

}  // namespace shelf

#endif
