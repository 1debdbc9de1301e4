# The Settings and Sound pages' rules: control scales, the enabling table by
# mouse mode and the probed port names.
orvantix_host_test(pages_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/pages_test.cpp
    ${ORVANTIX_SOURCE_DIR}/common/parameter_store.cpp)
target_include_directories(pages_test PRIVATE ${ORVANTIX_SOURCE_DIR}/cpl)
