# Build rules that keep the shipped programs loadable on Windows 95:
# no C runtime, own entry points, code for a 486/Pentium, PE subsystem and
# OS version 4.0, imports only from the system DLLs.

# The same sources also build for x86_64 (cmake/x86_64-mingw.cmake): a
# test-only build for machines that run no 32-bit programs, never shipped.
# It keeps the x86_64 calling convention's code and stack alignment, and its
# entry symbols carry no decoration.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(WIN95_X64 ON)
    set(WIN95_CPU_OPTIONS)
    set(WIN95_DLL_ENTRY DllMain)
    set(WIN95_EXE_ENTRY WinMainCRTStartup)
else()
    set(WIN95_X64 OFF)
    set(WIN95_CPU_OPTIONS -march=i486 -mtune=pentium -mpreferred-stack-boundary=2)
    set(WIN95_DLL_ENTRY _DllMain@12)
    set(WIN95_EXE_ENTRY _WinMainCRTStartup)
endif()

set(WIN95_COMPILE_OPTIONS
    ${WIN95_CPU_OPTIONS} -Os
    -fno-exceptions -fno-rtti -fno-threadsafe-statics -fno-use-cxa-atexit
    -fno-asynchronous-unwind-tables -fno-unwind-tables -fno-stack-protector
    -fno-ident -ffunction-sections -fdata-sections
    -Wall -Wextra -Werror)
set(WIN95_DEFINITIONS WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_WINDOWS=0x0400
    _WIN32_IE=0x0300 WIN32_LEAN_AND_MEAN NOMINMAX)
set(WIN95_LINK_OPTIONS
    -nostdlib -nostartfiles -s
    -Wl,--gc-sections
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0
    -Wl,--disable-dynamicbase -Wl,--disable-nxcompat
    -Wl,--no-insert-timestamp)

# The CRT-free runtime shared by every shipped binary, with the bounded text
# helpers (test programs take those from orvantix_test_contract).
add_library(win95_runtime STATIC
    ${PROJECT_SOURCE_DIR}/common/runtime/runtime.cpp
    ${PROJECT_SOURCE_DIR}/common/bounded_text.cpp)
target_compile_options(win95_runtime PRIVATE ${WIN95_COMPILE_OPTIONS}
    -fno-tree-loop-distribute-patterns)
target_compile_definitions(win95_runtime PUBLIC ${WIN95_DEFINITIONS})
target_include_directories(win95_runtime PUBLIC
    ${PROJECT_SOURCE_DIR}/common ${PROJECT_SOURCE_DIR}/common/runtime)

# The portable half of the shared contract, built for the target.
add_library(win95_contract STATIC
    ${PROJECT_SOURCE_DIR}/common/parameter_store.cpp
    ${PROJECT_SOURCE_DIR}/common/calibration_record.cpp
    ${PROJECT_SOURCE_DIR}/common/driver_interface.cpp
    ${PROJECT_SOURCE_DIR}/common/calibration_model.cpp)
target_compile_options(win95_contract PRIVATE ${WIN95_COMPILE_OPTIONS})
target_link_libraries(win95_contract PUBLIC win95_runtime)

# The shelf of one-job Win32 helpers the programs share (common/shelf).
# It names no runtime or contract of its own, so Setup's engine can bring
# it into test programs that link the C runtime instead.
add_library(win95_shelf STATIC
    ${PROJECT_SOURCE_DIR}/common/shelf/error_box.cpp
    ${PROJECT_SOURCE_DIR}/common/shelf/single_instance.cpp
    ${PROJECT_SOURCE_DIR}/common/shelf/driver_device.cpp
    ${PROJECT_SOURCE_DIR}/common/shelf/calibration_save.cpp
    ${PROJECT_SOURCE_DIR}/common/shelf/store_values.cpp
    ${PROJECT_SOURCE_DIR}/common/shelf/windows_version.cpp
    ${PROJECT_SOURCE_DIR}/common/shelf/com_ports.cpp
    ${PROJECT_SOURCE_DIR}/common/shelf/double_click.cpp
    ${PROJECT_SOURCE_DIR}/common/shelf/timed_question.cpp
    ${PROJECT_SOURCE_DIR}/common/os_class.cpp)
target_compile_options(win95_shelf PRIVATE ${WIN95_COMPILE_OPTIONS})
target_link_libraries(win95_shelf PUBLIC kernel32 user32 advapi32)
target_compile_definitions(win95_shelf PRIVATE ${WIN95_DEFINITIONS})
target_include_directories(win95_shelf PUBLIC
    ${PROJECT_SOURCE_DIR}/common ${PROJECT_SOURCE_DIR}/common/shelf)

# win95_binary(<target> OUTPUT <file name> KIND GUI|DLL
#              SOURCES ... [DEF file] [LIBS kernel32 user32 ...])
function(win95_binary target)
    cmake_parse_arguments(W "" "OUTPUT;KIND;DEF" "SOURCES;LIBS" ${ARGN})
    if(W_KIND STREQUAL "DLL")
        add_library(${target} SHARED ${W_SOURCES})
        set_target_properties(${target} PROPERTIES PREFIX "" SUFFIX "" IMPORT_PREFIX "lib")
        target_link_options(${target} PRIVATE -Wl,--subsystem,windows:4.0
            -Wl,-e,${WIN95_DLL_ENTRY} -Wl,--kill-at -Wl,--image-base,0x10000000)
        if(W_DEF)
            target_sources(${target} PRIVATE ${W_DEF})
        endif()
    else()
        add_executable(${target} WIN32 ${W_SOURCES}
            ${PROJECT_SOURCE_DIR}/common/runtime/entry.cpp)
        set_target_properties(${target} PROPERTIES SUFFIX "")
        # A program is always loaded at its preferred base, so it needs no
        # relocation table; leaving it out keeps the file small.
        target_link_options(${target} PRIVATE -Wl,--subsystem,windows:4.0
            -Wl,-e,${WIN95_EXE_ENTRY} -Wl,--disable-reloc-section)
    endif()
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${W_OUTPUT}
        RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/package
        LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/package)
    target_compile_options(${target} PRIVATE ${WIN95_COMPILE_OPTIONS})
    target_link_options(${target} PRIVATE ${WIN95_LINK_OPTIONS})
    target_link_libraries(${target} PRIVATE win95_shelf win95_contract win95_runtime ${W_LIBS} gcc)
    set_property(GLOBAL APPEND PROPERTY WIN95_SHIPPED_BINARIES ${target})
endfunction()

# win95_art(<rc file> SCRIPT <tools/art script> OUTPUTS <file> ... [COMMENT text])
# Draws a program's pictures at build time into <binary dir>/art with the
# given script and lets the resource script find them there.
find_program(PYTHON3 python3 REQUIRED)
function(win95_art rc_file)
    cmake_parse_arguments(A "" "SCRIPT;COMMENT" "OUTPUTS" ${ARGN})
    set(art_dir ${CMAKE_CURRENT_BINARY_DIR}/art)
    list(TRANSFORM A_OUTPUTS PREPEND ${art_dir}/)
    add_custom_command(OUTPUT ${A_OUTPUTS}
        COMMAND ${PYTHON3} ${PROJECT_SOURCE_DIR}/tools/art/${A_SCRIPT} ${art_dir}
        DEPENDS ${PROJECT_SOURCE_DIR}/tools/art/${A_SCRIPT}
            ${PROJECT_SOURCE_DIR}/tools/art/bmpfile.py
        COMMENT "${A_COMMENT}")
    set_property(SOURCE ${rc_file} APPEND_STRING PROPERTY COMPILE_FLAGS " -I${art_dir}")
    set_property(SOURCE ${rc_file} APPEND PROPERTY OBJECT_DEPENDS ${A_OUTPUTS})
endfunction()
