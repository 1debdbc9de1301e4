# The Settings and Sound pages' rules: control scales, the enabling table by
# mouse mode and the probed port names.
orvantix_host_test(pages_test SOURCES
    pages_test.cpp
    LIBS cpl_portable common_portable)
# The Diagnostics page's rules: the watch and its marker rule, the kept
# touches and their dots, and the page's texts.
orvantix_host_test(diagnostics_test SOURCES
    diagnostics_test.cpp
    LIBS cpl_portable common_portable)
