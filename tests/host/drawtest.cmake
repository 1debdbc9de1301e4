# Brokasta's check geometry, pass rule, stroke rule, bar layout and the
# nine-cross check's fit, verdict and report.
orvantix_host_test(drawtest_test SOURCES
    drawtest_test.cpp
    accuracy_test.cpp
    LIBS drawtest_portable common_portable)
