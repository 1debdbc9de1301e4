# Durmasel's target layout and calibration arithmetic.
orvantix_host_test(calib_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/calib_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../calib/calibration.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../common/calibration_record.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../common/parameter_store.cpp)
target_include_directories(calib_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../calib)
