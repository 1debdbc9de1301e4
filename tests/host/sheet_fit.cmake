# The applet's sheet fitted to its pages: template reading, font size choice
# and placement on the work area.
orvantix_host_test(sheet_layout_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/sheet_layout_test.cpp
    ${ORVANTIX_SOURCE_DIR}/cpl/sheet_layout.cpp
    ${ORVANTIX_SOURCE_DIR}/cpl/dialog_template.cpp)
target_include_directories(sheet_layout_test PRIVATE ${ORVANTIX_SOURCE_DIR}/cpl)
