# Setup's portable rules (portable/, no windows.h): the owned text, key and
# path rules, action lists, the device and touchscreen plans, the flow and
# its unattended switches, the packet rule and the port search. For
# Setup.exe (some through its engine), the engine's test programs and the
# native tests.
orvantix_portable(setup_portable SOURCES
    portable/text.cpp
    portable/rules.cpp
    portable/action_lists.cpp
    portable/device_plan.cpp
    portable/touch_plan.cpp
    portable/flow.cpp
    portable/unattended.cpp
    portable/packet_rule.cpp
    portable/touch_search.cpp)
