# The shared driver contract: the parameter store's rules, the control-code
# table and the calibration model with its words.
orvantix_host_test(common_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/parameter_store_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_interface_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/calibration_model_test.cpp
    LIBS common_portable)
