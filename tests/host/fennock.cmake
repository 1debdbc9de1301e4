# Fennock's watch loop and query rule, run on real threads.
orvantix_host_test(fennock_test SOURCES
    fennock_test.cpp
    LIBS rightclick_portable)
# The loop is built optimised and without sanitizer instrumentation (which
# reloads memory on its own): a command word the compiler is allowed to keep
# in a register then shows up here as a worker that never ends.
set_source_files_properties(${ORVANTIX_SOURCE_DIR}/rightclick/switch_worker.cpp
    PROPERTIES COMPILE_OPTIONS "-O2;-fno-sanitize=all")
