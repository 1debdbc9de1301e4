// Starting, driving and closing Fennock for the end-to-end tests.
#include "fennock_run.h"

#include <gtest/gtest.h>

#include <vector>

namespace sim = harness::sim;

std::string FennockPath() { return harness::Join(harness::PackageDir(), "Fennock.exe"); }

FennockRun::FennockRun() : process_(harness::Start(FennockPath())) {
    if (!process_.Started()) return;
    window_ = harness::WaitProcessWindow(process_.pid, "Fennock", 10000);
    if (window_) button_ = harness::Child(window_, kSwitchButtonId);
}

FennockRun::~FennockRun() {
    if (!process_.Started()) return;
    DWORD code = 0;
    if (Close(5000, &code)) return;
    ADD_FAILURE() << "Fennock did not end after WM_CLOSE";
    harness::Kill(process_);
}

void FennockRun::Touch() const { SendMessageA(button_, BM_CLICK, 0, 0); }

bool FennockRun::Pressed() const { return harness::IsChecked(button_); }

HBITMAP FennockRun::Picture() const {
    return reinterpret_cast<HBITMAP>(SendMessageA(button_, BM_GETIMAGE, IMAGE_BITMAP, 0));
}

bool FennockRun::WaitPoppedUp(DWORD ms) const {
    DWORD start = GetTickCount();
    while (Pressed()) {
        if (GetTickCount() - start > ms) return false;
        Sleep(1);
    }
    return true;
}

bool FennockRun::Close(DWORD ms, DWORD *exitCode) {
    if (harness::WaitExit(process_, 0, exitCode)) return true;
    PostMessageA(window_, WM_CLOSE, 0, 0);
    return harness::WaitExit(process_, ms, exitCode);
}

int RequestsOf(DWORD pid) {
    int count = 0;
    for (const sim::LogEntry &entry : sim::Log()) count += entry.pid == pid;
    return count;
}

int RequestsOf(DWORD pid, DWORD code) {
    int count = 0;
    for (const sim::LogEntry &entry : sim::Log()) count += entry.pid == pid && entry.code == code;
    return count;
}

namespace {
struct SystemHandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT value;
    PVOID object;
    ULONG access;
};
struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};
const ULONG kSystemHandleInformation = 16;
const LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
typedef LONG(WINAPI *QuerySystemInformation)(ULONG, PVOID, ULONG, PULONG);
}  // namespace

int HandleCountOf(DWORD pid) {
    QuerySystemInformation query = reinterpret_cast<QuerySystemInformation>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<BYTE> buffer(1 << 16);
    LONG status;
    while ((status = query(kSystemHandleInformation, buffer.data(),
                           static_cast<ULONG>(buffer.size()), NULL)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0) return -1;
    const SystemHandleList *list = reinterpret_cast<const SystemHandleList *>(buffer.data());
    int count = 0;
    for (ULONG i = 0; i < list->count; ++i) count += list->entries[i].ownerPid == pid;
    return count;
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

double MillisecondsSince(const LARGE_INTEGER &start) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(Now().QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}
