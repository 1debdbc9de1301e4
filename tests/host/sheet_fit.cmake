# The applet's sheet fitted to its pages: template reading, font size choice
# and placement on the work area.
orvantix_host_test(sheet_layout_test SOURCES
    sheet_layout_test.cpp
    LIBS cpl_portable)
