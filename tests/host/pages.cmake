# The Settings and Sound pages' rules: control scales, the enabling table by
# mouse mode and the probed port names.
orvantix_host_test(pages_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/pages_test.cpp
    ${ORVANTIX_SOURCE_DIR}/common/bounded_text.cpp
    ${ORVANTIX_SOURCE_DIR}/common/parameter_store.cpp)
target_include_directories(pages_test PRIVATE ${ORVANTIX_SOURCE_DIR}/cpl)
# The Diagnostics page's rules: the watch and its marker rule, the kept
# touches and their dots, and the page's texts.
orvantix_host_test(diagnostics_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/diagnostics_test.cpp
    ${ORVANTIX_SOURCE_DIR}/cpl/diagnostics_rules.cpp
    ${ORVANTIX_SOURCE_DIR}/common/bounded_text.cpp
    ${ORVANTIX_SOURCE_DIR}/common/calibration_model.cpp
    ${ORVANTIX_SOURCE_DIR}/common/calibration_record.cpp
    ${ORVANTIX_SOURCE_DIR}/common/parameter_store.cpp)
target_include_directories(diagnostics_test PRIVATE ${ORVANTIX_SOURCE_DIR}/cpl)
