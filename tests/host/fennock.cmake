# Fennock's watch loop and query rule, run on real threads.
orvantix_host_test(fennock_test SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/fennock_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../../rightclick/switch_worker.cpp)
target_include_directories(fennock_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../../rightclick)
# The loop is built optimised and without sanitizer instrumentation (which
# reloads memory on its own): a command word the compiler is allowed to keep
# in a register then shows up here as a worker that never ends.
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/../../rightclick/switch_worker.cpp
    PROPERTIES COMPILE_OPTIONS "-O2;-fno-sanitize=all")
