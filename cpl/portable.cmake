# The applet's portable rules (no windows.h): the sheet's layout from the
# pages' templates and the Diagnostics page's rules, for Pemrosko.Cpl and
# its native tests.
orvantix_portable(cpl_portable SOURCES
    dialog_template.cpp
    sheet_layout.cpp
    diagnostics_rules.cpp)
