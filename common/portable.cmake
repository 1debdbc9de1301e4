# common/'s portable rules (no windows.h): the bounded text helpers, the
# driver contract, the store rules, the calibration record's codec, the
# calibration model and the classes of Windows versions. Each
# build defines orvantix_portable its own way (cmake/Win95.cmake for the
# programs, tests/host for the native tests); the cross build also makes
# the C-runtime test contract from this list.
set(COMMON_PORTABLE_SOURCES
    bounded_text.cpp
    parameter_store.cpp
    calibration_record.cpp
    driver_interface.cpp
    calibration_model.cpp
    os_class.cpp)
orvantix_portable(common_portable SOURCES ${COMMON_PORTABLE_SOURCES})
