# Durmasel's target layout and calibration arithmetic.
orvantix_host_test(calib_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/calib_test.cpp
    LIBS calib_portable common_portable)
