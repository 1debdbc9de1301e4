# The applet's system check: which Windows versions it accepts.
orvantix_host_test(applet_test SOURCES
    applet_test.cpp
    LIBS cpl_portable common_portable)
