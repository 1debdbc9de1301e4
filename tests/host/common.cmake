# The shared driver contract: the parameter store's rules, the control-code
# table, the calibration model with its words, the calibration record's
# codec and the bounded text helpers.
orvantix_host_test(common_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/parameter_store_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_interface_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/calibration_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/calibration_record_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/bounded_text_test.cpp
    LIBS common_portable)
