// The shelf's Win32 helpers against the real system calls (the simulated
// driver is not installed here).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "driver_device.h"
#include "driver_interface.h"
#include "error_box.h"
#include "harness.h"
#include "single_instance.h"

namespace {

// A stale ERROR_ALREADY_EXISTS left by an earlier call must not pass for
// another instance: programs would quit without a word.
TEST(SingleInstance, OnlyARealHolderCounts) {
    std::string name = "OrvantixShelfTest" + std::to_string(GetCurrentProcessId());
    SetLastError(ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(shelf::AnotherInstanceHolds(name.c_str()));
    SetLastError(ERROR_SUCCESS);
    EXPECT_TRUE(shelf::AnotherInstanceHolds(name.c_str()));
}

TEST(ErrorBox, SystemTextOrNothing) {
    char *text = shelf::SystemErrorText(ERROR_ACCESS_DENIED);
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ(harness::SystemText(ERROR_ACCESS_DENIED).c_str(), text);
    LocalFree(text);
    // A code no system message table holds.
    EXPECT_EQ(nullptr, shelf::SystemErrorText(0x2000FFFFu));
}

// Without the driver a request reports it and keeps the open's error.
TEST(DriverDevice, RequestWithoutDriverReportsNoDriver) {
    EXPECT_FALSE(shelf::DriverPresent());
    DWORD mode = 0;
    shelf::DriverReply reply =
        shelf::RequestOnce(IOCTL_TOUCH_GET_MOUSE_MODE, NULL, 0, &mode, sizeof(mode));
    EXPECT_EQ(shelf::kNoDriver, reply.outcome);
    EXPECT_EQ(0u, reply.returned);
    EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), reply.error);
    EXPECT_EQ(reply.error, GetLastError());
}

}  // namespace
