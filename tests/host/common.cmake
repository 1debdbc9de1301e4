# The shared driver contract: the parameter store's rules, the control-code
# table and the calibration model with its words; the bounded text helpers.
orvantix_host_test(common_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/bounded_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/parameter_store_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/driver_interface_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/calibration_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/calibration_record_test.cpp
    ${ORVANTIX_SOURCE_DIR}/common/bounded_text.cpp
    ${ORVANTIX_SOURCE_DIR}/common/parameter_store.cpp
    ${ORVANTIX_SOURCE_DIR}/common/calibration_record.cpp
    ${ORVANTIX_SOURCE_DIR}/common/driver_interface.cpp
    ${ORVANTIX_SOURCE_DIR}/common/calibration_model.cpp)
