# Setup's portable engine: key and path rules, action lists, detection and
# list building over a registry view, the touchscreen package's plan.
set(SETUP_PORTABLE_DIR ${ORVANTIX_SOURCE_DIR}/setup/portable)
orvantix_host_test(setup_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/setup_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_rules_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_action_lists_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_device_plan_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_touch_plan_test.cpp
    ${SETUP_PORTABLE_DIR}/text.cpp
    ${SETUP_PORTABLE_DIR}/rules.cpp
    ${SETUP_PORTABLE_DIR}/action_lists.cpp
    ${SETUP_PORTABLE_DIR}/device_plan.cpp
    ${SETUP_PORTABLE_DIR}/touch_plan.cpp
    ${ORVANTIX_SOURCE_DIR}/common/os_class.cpp
    ${ORVANTIX_SOURCE_DIR}/common/parameter_store.cpp)
target_include_directories(setup_test PRIVATE
    ${ORVANTIX_SOURCE_DIR}/setup
    ${ORVANTIX_SOURCE_DIR}/common)
