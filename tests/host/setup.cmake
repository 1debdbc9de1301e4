# Setup's portable engine: the owned text, key and path rules, action lists,
# detection and list building over a registry view, the touchscreen
# package's plan. One test file per portable source.
orvantix_host_test(setup_test SOURCES
    setup_text_test.cpp
    setup_rules_test.cpp
    setup_action_lists_test.cpp
    setup_device_plan_test.cpp
    setup_touch_plan_test.cpp
    LIBS setup_portable common_portable)
