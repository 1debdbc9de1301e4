# Durmasel's target layout and calibration arithmetic.
orvantix_host_test(calib_test SOURCES
    calib_test.cpp
    LIBS calib_portable common_portable)
