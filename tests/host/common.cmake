# The shared driver contract: the parameter store's rules and the control-code table.
orvantix_host_test(common_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/parameter_store_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_interface_test.cpp
    ${ORVANTIX_SOURCE_DIR}/common/parameter_store.cpp
    ${ORVANTIX_SOURCE_DIR}/common/driver_interface.cpp)
