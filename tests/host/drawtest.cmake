# Brokasta's check geometry, pass rule, stroke rule, bar layout and the
# nine-cross check's fit, verdict and report.
orvantix_host_test(drawtest_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/drawtest_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/accuracy_test.cpp
    LIBS drawtest_portable common_portable)
