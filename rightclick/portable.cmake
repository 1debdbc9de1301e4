# Fennock's portable rules (no windows.h): the watch loop and its query rule
# behind the WorkerOps seam, for Fennock.exe and its native tests.
orvantix_portable(rightclick_portable SOURCES
    switch_worker.cpp)
