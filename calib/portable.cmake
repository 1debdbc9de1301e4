# Durmasel's portable rules (no windows.h): the targets' layout and the
# calibration arithmetic, for Durmasel.exe and its native tests.
orvantix_portable(calib_portable SOURCES
    calibration.cpp)
