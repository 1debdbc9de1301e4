# The shared driver contract: the parameter store's rules, the control-code
# table, the calibration model with its words, the calibration record's
# codec and the bounded text helpers.
orvantix_host_test(common_test SOURCES
    parameter_store_test.cpp
    driver_interface_test.cpp
    calibration_model_test.cpp
    calibration_record_test.cpp
    bounded_text_test.cpp
    LIBS common_portable)
