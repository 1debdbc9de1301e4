# Brokasta's check geometry, pass rule, stroke rule, bar layout and the
# nine-cross check's fit, verdict and report.
orvantix_host_test(drawtest_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/drawtest_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/accuracy_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../drawtest/check.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../drawtest/board_layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../drawtest/stroke.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../drawtest/accuracy.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../drawtest/accuracy_report.cpp
    ${ORVANTIX_SOURCE_DIR}/common/calibration_model.cpp
    ${ORVANTIX_SOURCE_DIR}/common/calibration_record.cpp
    ${ORVANTIX_SOURCE_DIR}/common/bounded_text.cpp
    ${ORVANTIX_SOURCE_DIR}/common/parameter_store.cpp)
target_include_directories(drawtest_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../drawtest)
