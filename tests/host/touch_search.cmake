# Setup's search for the touchscreen's port: the packet rule over recorded
# and made-up streams, and the search's schedule over a simulated clock.
orvantix_host_test(touch_search_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/touch_search_test.cpp
    ${ORVANTIX_SOURCE_DIR}/setup/portable/packet_rule.cpp
    ${ORVANTIX_SOURCE_DIR}/setup/portable/touch_search.cpp
    ${ORVANTIX_SOURCE_DIR}/common/bounded_text.cpp
    ${ORVANTIX_SOURCE_DIR}/common/parameter_store.cpp)
target_include_directories(touch_search_test PRIVATE ${ORVANTIX_SOURCE_DIR}/setup)
