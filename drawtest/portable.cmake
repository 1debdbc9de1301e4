# Brokasta's portable rules (no windows.h): the check's geometry, pass and
# stroke rules, and the nine-cross check's fit, verdict and report, for
# Brokasta.exe, its native tests and its end-to-end test.
orvantix_portable(drawtest_portable SOURCES
    check.cpp
    board_layout.cpp
    stroke.cpp
    accuracy.cpp
    accuracy_report.cpp)
