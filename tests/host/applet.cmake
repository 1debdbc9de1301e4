# The applet's system check: which Windows versions it accepts.
orvantix_host_test(applet_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/applet_test.cpp
    ${ORVANTIX_SOURCE_DIR}/common/os_class.cpp)
target_include_directories(applet_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../cpl)
