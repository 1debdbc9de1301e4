# Setup's search for the touchscreen's port: the packet rule over recorded
# and made-up streams, and the search's schedule over a simulated clock.
orvantix_host_test(touch_search_test SOURCES
    touch_search_test.cpp
    LIBS setup_portable common_portable)
