// The common set-up of Durmasel's end-to-end tests: the simulator installed
// and fresh, a known parameter store (given back afterwards) whose mouse
// mode is 1, so that the program's switch to 3 and back can be seen.
#ifndef DURMASEL_FIXTURE_H
#define DURMASEL_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>

#include "durmasel_session.h"
#include "driver_interface.h"

namespace durmasel_test {

// The store every test starts from: all twelve values, none of them the
// install default, so a stray write shows.
extern const std::map<std::string, DWORD> kStartStore;
const DWORD kStartMouseMode = 1;

class DurmaselTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes kStartStore and forgets the simulator's state, so that the
    // driver starts from that store.
    void ResetWorld();
    // The words of the record in the one SET_CALIBRATION request so far.
    std::vector<DWORD> LastCalibration();
    void ExpectStoreUnchanged();
    void ExpectMouseModeRestored();

    std::unique_ptr<StoreSnapshot> store_;
    Durmasel app_;
};

}  // namespace durmasel_test

#endif
