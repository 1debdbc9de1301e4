# Setup's flow rules: the command-line switches, the outcome table, the
# run-once values of the install and removal flow, the unattended switches.
orvantix_host_test(setupflow_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/setupflow_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../setup/portable/flow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../setup/portable/unattended.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../common/calibration_record.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../common/parameter_store.cpp)
target_include_directories(setupflow_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../setup)
