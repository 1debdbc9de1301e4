# Setup's flow rules: the command-line switches, the outcome table and the
# bounded path texts of the install and removal flow, the unattended switches.
orvantix_host_test(setupflow_test SOURCES
    setupflow_test.cpp
    LIBS setup_portable common_portable)
