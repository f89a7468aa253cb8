# Build conventions shared by every folder: which tree this is, compiler flags, and how tests,
# fuzz targets and PE checks are declared.

include_guard(GLOBAL)

set(VERDELO_SCRIPTS_DIR ${CMAKE_CURRENT_LIST_DIR}/../scripts)

# The maker's one name: the registry key of the install record, the data folders and the
# configuration archives carry it, so the package's Manufacturer and every version resource do too.
set(VERDELO_MAKER "Brambeck")

# VERDELO_PLATFORM: native | win32 | win64 | fuzz. The toolchain file decides between win32 and win64.
macro(verdelo_setup_platform)
  if(CMAKE_SYSTEM_NAME STREQUAL "Windows")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      set(_verdelo_default win32)
    else()
      set(_verdelo_default win64)
    endif()
  else()
    set(_verdelo_default native)
  endif()
  set(VERDELO_PLATFORM ${_verdelo_default} CACHE STRING "native, win32, win64 or fuzz")
  set(VERDELO_WINDOWS OFF)
  set(VERDELO_FUZZ OFF)
  if(VERDELO_PLATFORM STREQUAL "win32" OR VERDELO_PLATFORM STREQUAL "win64")
    set(VERDELO_WINDOWS ON)
    enable_language(RC)
  elseif(VERDELO_PLATFORM STREQUAL "fuzz")
    set(VERDELO_FUZZ ON)
  endif()
  option(VERDELO_SANITIZE "Build the native tree with AddressSanitizer and UBSan" ON)
  # A fixed seed makes a CI fuzz run repeatable; 0 lets libFuzzer pick one for a longer hunt.
  set(VERDELO_FUZZ_SEED 1 CACHE STRING "libFuzzer seed for the ctest fuzz runs (0: random)")
  # Tests run natively and under Wine: the win64 tree's x86_64 programs under the host's Wine, the
  # win32 tree's 32-bit ones under the Wine with its 32-bit part (scripts/wine-run), as on 64-bit
  # Windows, with the 64-bit programs they start taken from the win64 tree.
  # VERDELO_AFTER_WINE_TEST starts the command of a test that checks what a Wine test wrote, so that
  # it is skipped with it (give it verdelo_wine_test too).
  set(VERDELO_RUN_TESTS ON)
  set(VERDELO_AFTER_WINE_TEST "")
  if(VERDELO_PLATFORM STREQUAL "win32")
    set(VERDELO_WIN64_TREE ${CMAKE_BINARY_DIR}/../win64 CACHE PATH
        "win64 build tree whose 64-bit programs the tests of this tree start (built before they run)")
    # As the tests name it: absolute, without the "..".
    get_filename_component(VERDELO_WIN64_TREE "${VERDELO_WIN64_TREE}" ABSOLUTE)
    set(VERDELO_AFTER_WINE_TEST ${VERDELO_SCRIPTS_DIR}/wine32-chroot if-runs-here)
  endif()
  enable_testing()

  # Same floating-point results on i686, x86_64 and Linux: SSE2 arithmetic, no fused multiply-add.
  add_compile_options(-ffp-contract=off)
  if(VERDELO_WINDOWS)
    add_compile_options(-msse2 -mfpmath=sse)
    # No mingw runtime DLL has to ship beside the programs.
    add_link_options(-static -static-libgcc -static-libstdc++)
    set(CMAKE_CXX_FLAGS_RELEASE "-O2" CACHE STRING "" FORCE)
    set(CMAKE_C_FLAGS_RELEASE "-O2" CACHE STRING "" FORCE)
    if(NOT CMAKE_BUILD_TYPE)
      set(CMAKE_BUILD_TYPE Release CACHE STRING "" FORCE)
    endif()
  else()
    # Assertions stay on in every build: they guard our own invariants.
    set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g" CACHE STRING "" FORCE)
    set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O1 -g" CACHE STRING "" FORCE)
    set(CMAKE_CXX_FLAGS_RELEASE "-O2" CACHE STRING "" FORCE)
    set(CMAKE_C_FLAGS_RELEASE "-O2" CACHE STRING "" FORCE)
    if(NOT CMAKE_BUILD_TYPE)
      set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "" FORCE)
    endif()
  endif()
  if(VERDELO_PLATFORM STREQUAL "native" AND VERDELO_SANITIZE)
    set(_verdelo_san -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
                     -fno-omit-frame-pointer)
    add_compile_options(${_verdelo_san})
    add_link_options(${_verdelo_san})
  endif()
  if(VERDELO_FUZZ)
    add_compile_options(-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=all -g)
    add_link_options(-fsanitize=address,undefined)
  endif()

  # zlib: raw inflate and CRC-32. Windows links the static mingw build so no zlib1.dll ships.
  if(VERDELO_WINDOWS)
    find_library(VERDELO_ZLIB_STATIC NAMES libz.a REQUIRED)
    add_library(verdelo_zlib INTERFACE)
    target_link_libraries(verdelo_zlib INTERFACE ${VERDELO_ZLIB_STATIC})
  else()
    find_package(ZLIB REQUIRED)
    add_library(verdelo_zlib INTERFACE)
    target_link_libraries(verdelo_zlib INTERFACE ZLIB::ZLIB)
  endif()
endmacro()

# GoogleTest from Debian's sources, built inside each tree with that tree's compiler.
macro(verdelo_setup_googletest)
  if(NOT VERDELO_FUZZ)
    set(VERDELO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    add_subdirectory(${VERDELO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  endif()
endmacro()

# Our own code is warning-free on every compiler; googletest is added before these flags.
macro(verdelo_setup_project_flags)
  add_compile_options(-Wall -Wextra -Werror)
  include_directories(${PROJECT_SOURCE_DIR})
endmacro()

# verdelo_file64(target out): the file of the 64-bit build of `target` (a program or library that
# 64-bit Windows has in 64 bits beside the 32-bit plant: the desktop, here the stand-in, and the
# companion with its library). In the win32 tree that is the file the win64 tree builds.
set(_verdelo_files64 ostrel_test_desktop=tools/testdesktop/ostrel_test_desktop.exe
    verdelo64=companion/Verdelo64.exe ostrel=hooklib/Ostrel64.dll)
function(verdelo_file64 target out)
  if(NOT VERDELO_PLATFORM STREQUAL "win32")
    set(${out} $<TARGET_FILE:${target}> PARENT_SCOPE)
    return()
  endif()
  set(_entry ${_verdelo_files64})
  list(FILTER _entry INCLUDE REGEX "^${target}=")
  if(NOT _entry)
    message(FATAL_ERROR "verdelo_file64: no 64-bit file is known for ${target}")
  endif()
  string(REGEX REPLACE "^[^=]*=" "${VERDELO_WIN64_TREE}/" _file "${_entry}")
  set(${out} ${_file} PARENT_SCOPE)
endfunction()

# verdelo_wine_test(name): what the test `name`, which runs a program through scripts/wine-run,
# needs in the win32 tree: 77 counts as skipped (wine-run's answer where the machine cannot run
# 32-bit programs), and the 64-bit programs it starts from the win64 tree find their library there.
function(verdelo_wine_test name)
  if(VERDELO_PLATFORM STREQUAL "win32")
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
    string(REPLACE "/" "\\" _path "Z:${VERDELO_WIN64_TREE}/hooklib")
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "WINEPATH=${_path}")
  endif()
endfunction()

# verdelo_test(name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [NATIVE_ONLY] [TIMEOUT s] [ARGS ...]
#              [LAUNCHER command ...])
# A GoogleTest program. Platform-free tests are one source built natively and for Windows, so the
# same assertions run on Linux and under Wine, in 64 and in 32 bits. A LAUNCHER command runs the
# program (behind Wine's runner in the Windows trees), for example to start the servers it talks
# to first.
function(verdelo_test name)
  cmake_parse_arguments(T "WINDOWS_ONLY;NATIVE_ONLY" "TIMEOUT" "SOURCES;LIBS;ARGS;LAUNCHER" ${ARGN})
  if(VERDELO_FUZZ)
    return()
  endif()
  if(T_WINDOWS_ONLY AND NOT VERDELO_WINDOWS)
    return()
  endif()
  if(T_NATIVE_ONLY AND VERDELO_WINDOWS)
    return()
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(VERDELO_RUN_TESTS)
    if(T_LAUNCHER)
      add_test(NAME ${name} COMMAND ${T_LAUNCHER} ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:${name}> ${T_ARGS})
    else()
      add_test(NAME ${name} COMMAND ${name} ${T_ARGS})
    endif()
    math(EXPR _outer "${T_TIMEOUT} + 30")
    set_tests_properties(${name} PROPERTIES TIMEOUT ${_outer}
                         ENVIRONMENT "VERDELO_WINE_TIMEOUT=${T_TIMEOUT}")
    verdelo_wine_test(${name})
  endif()
endfunction()

# verdelo_fuzzer(name SOURCES ... [LIBS ...] [CORPUS dir] [SECONDS n])
# A libFuzzer target, built only in the fuzz tree; ctest runs it for a bounded time from its corpus.
function(verdelo_fuzzer name)
  cmake_parse_arguments(F "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT VERDELO_FUZZ)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 30)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(_work ${CMAKE_CURRENT_BINARY_DIR}/${name}-corpus)
  file(MAKE_DIRECTORY ${_work})
  set(_dirs ${_work})
  if(F_CORPUS)
    list(APPEND _dirs ${F_CORPUS})
  endif()
  set(_seed)
  if(NOT VERDELO_FUZZ_SEED STREQUAL "0")
    set(_seed -seed=${VERDELO_FUZZ_SEED})
  endif()
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${F_SECONDS} ${_seed} -rss_limit_mb=2048 -print_final_stats=1 ${_dirs})
  math(EXPR _outer "${F_SECONDS} + 120")
  set_tests_properties(${name} PROPERTIES TIMEOUT ${_outer} LABELS fuzz)
endfunction()

# verdelo_check_pe(target): the file a Windows target makes is a PE image of this tree's machine.
function(verdelo_check_pe target)
  if(NOT VERDELO_WINDOWS)
    return()
  endif()
  if(VERDELO_PLATFORM STREQUAL "win32")
    set(_format "file format pei-i386")
    set(_objdump i686-w64-mingw32-objdump)
  else()
    set(_format "file format pei-x86-64")
    set(_objdump x86_64-w64-mingw32-objdump)
  endif()
  add_test(NAME pe_format_${target} COMMAND ${_objdump} -f $<TARGET_FILE:${target}>)
  set_tests_properties(pe_format_${target} PROPERTIES PASS_REGULAR_EXPRESSION "${_format}")
endfunction()

# OpenSSL for the Windows trees: libssl and libcrypto cross-built as DLLs by scripts/openssl-mingw
# from the Debian source package that scripts/bootstrap fetched, once per architecture, and kept
# in the build folder (build/openssl-mingw) for every later build. Programs load them at run time.
set(VERDELO_OPENSSL_MINGW_DIR ${CMAKE_BINARY_DIR}/../openssl-mingw CACHE PATH
    "Where scripts/openssl-mingw keeps the OpenSSL source and the Windows DLLs")

# verdelo_copy_openssl_dlls(target): the tree's OpenSSL DLLs are built when missing and copied
# beside the target's program after each link.
function(verdelo_copy_openssl_dlls target)
  if(NOT VERDELO_WINDOWS)
    return()
  endif()
  if(VERDELO_PLATFORM STREQUAL "win32")
    set(_arch i686)
    set(_suffix "")
  else()
    set(_arch x86_64)
    set(_suffix "-x64")
  endif()
  set(_dir ${VERDELO_OPENSSL_MINGW_DIR}/dll/${_arch})
  set(_dlls ${_dir}/libcrypto-3${_suffix}.dll ${_dir}/libssl-3${_suffix}.dll)
  if(NOT TARGET openssl_dlls)
    add_custom_command(OUTPUT ${_dlls}
                       COMMAND ${CMAKE_COMMAND} -E env VERDELO_OPENSSL_DIR=${VERDELO_OPENSSL_MINGW_DIR}
                               ${VERDELO_SCRIPTS_DIR}/openssl-mingw ${_arch}
                       COMMENT "Cross-building OpenSSL for ${_arch} (once; kept in ${VERDELO_OPENSSL_MINGW_DIR})"
                       VERBATIM)
    add_custom_target(openssl_dlls DEPENDS ${_dlls})
    foreach(_dll ${_dlls})
      verdelo_ship_file(FILE ${_dll} DEPENDS openssl_dlls)
    endforeach()
  endif()
  add_dependencies(${target} openssl_dlls)
  add_custom_command(TARGET ${target} POST_BUILD
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_dlls} $<TARGET_FILE_DIR:${target}>)
endfunction()

# verdelo_ship_file(FILE path [DEPENDS target...]): a file that is installed beside the programs
# without being one of them (the OpenSSL DLLs, for example). `path` may be a generator expression.
# The installer (added after every other folder) packages the files of its own tree.
function(verdelo_ship_file)
  cmake_parse_arguments(S "" "FILE" "DEPENDS" ${ARGN})
  set_property(GLOBAL APPEND PROPERTY VERDELO_SHIPPED_FILES "${S_FILE}")
  if(S_DEPENDS)
    set_property(GLOBAL APPEND PROPERTY VERDELO_SHIPPED_DEPENDS ${S_DEPENDS})
  endif()
endfunction()
