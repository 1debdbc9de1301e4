# Brokasta's check geometry, pass rule, stroke rule and bar layout.
orvantix_host_test(drawtest_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/drawtest_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../drawtest/check.cpp)
target_include_directories(drawtest_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../drawtest)
