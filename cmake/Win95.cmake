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

# orvantix_portable(<name> SOURCES ...): a folder's portable rules (no
# windows.h), named once in its portable.cmake. Here a static library built
# for Windows 95 that names no runtime and no contract: a shipped program
# brings the CRT-free runtime and common_portable, a test program the C
# runtime and orvantix_test_contract. The native tests (tests/host) define
# the same function with the sanitizers instead.
function(orvantix_portable name)
    cmake_parse_arguments(P "" "" "SOURCES" ${ARGN})
    list(TRANSFORM P_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
    add_library(${name} STATIC ${P_SOURCES})
    target_compile_options(${name} PRIVATE ${WIN95_COMPILE_OPTIONS})
    target_compile_definitions(${name} PRIVATE ${WIN95_DEFINITIONS})
    target_include_directories(${name} PUBLIC
        ${CMAKE_CURRENT_LIST_DIR} ${PROJECT_SOURCE_DIR}/common)
endfunction()

# win95_binary(<target> OUTPUT <file name> KIND GUI|DLL
#              SOURCES ... [PORTABLE <folder>_portable] [DEF file] [LIBS kernel32 user32 ...])
# links the program's portable rules, then common's shelf, portable rules and
# runtime (common/CMakeLists.txt), each after what needs it.
function(win95_binary target)
    cmake_parse_arguments(W "" "OUTPUT;KIND;DEF;PORTABLE" "SOURCES;LIBS" ${ARGN})
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
    target_link_libraries(${target} PRIVATE ${W_PORTABLE} win95_shelf common_portable win95_runtime
        ${W_LIBS} gcc)
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
