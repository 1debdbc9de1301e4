# Setup's portable engine: the owned text, key and path rules, action lists,
# detection and list building over a registry view, the touchscreen
# package's plan. One test file per portable source.
orvantix_host_test(setup_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/setup_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_rules_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_action_lists_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_device_plan_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/setup_touch_plan_test.cpp
    LIBS setup_portable common_portable)
