// GoogleTest port settings for the cross build. The cross compiler's win32
// thread model has no std::mutex or std::condition_variable, which
// GoogleTest's Notification uses; this one waits on a Win32 event instead.
#ifndef ORVANTIX_GTEST_CUSTOM_PORT_H
#define ORVANTIX_GTEST_CUSTOM_PORT_H

#include <windows.h>

#define GTEST_HAS_NOTIFICATION_ 1

namespace testing {
namespace internal {

class Notification {
public:
    Notification() : m_event(CreateEventA(NULL, TRUE, FALSE, NULL)) {}
    ~Notification() { CloseHandle(m_event); }
    Notification(const Notification &) = delete;
    Notification &operator=(const Notification &) = delete;

    void Notify() { SetEvent(m_event); }
    void WaitForNotification() { WaitForSingleObject(m_event, INFINITE); }

private:
    HANDLE m_event;
};

}  // namespace internal
}  // namespace testing

#endif
