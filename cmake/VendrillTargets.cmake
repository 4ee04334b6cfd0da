# Helpers shared by every folder's CMakeLists.
include_guard(GLOBAL)

# Precompiled headers for clang: the standard headers nearly every unit parses (and, for the
# tests, GoogleTest) are parsed once per build instead of once per unit, a third to a half of a
# unit's time. Each is built once in its own target and reused, so a target that uses one
# compiles with the global options only, as vd_library and vd_test targets do. Not for g++: its
# precompiled headers are so large (over 100 MB with -g) that loading one costs what it saves.
find_package(GTest REQUIRED)
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang" AND NOT CMAKE_DISABLE_PRECOMPILE_HEADERS)
  set(VD_PCH_STD
      <algorithm> <array> <atomic> <chrono> <condition_variable> <cstdint> <cstring> <deque>
      <functional> <map> <memory> <mutex> <optional> <set> <span> <string> <string_view> <thread>
      <unordered_map> <utility> <vector>)
  file(WRITE ${CMAKE_BINARY_DIR}/vd_pch.cpp "// The precompiled headers' own unit.\n")
  add_library(vd_pch_std OBJECT ${CMAKE_BINARY_DIR}/vd_pch.cpp)
  target_precompile_headers(vd_pch_std PRIVATE ${VD_PCH_STD})
  add_library(vd_pch_test OBJECT ${CMAKE_BINARY_DIR}/vd_pch.cpp)
  target_link_libraries(vd_pch_test PRIVATE GTest::gtest)
  target_precompile_headers(vd_pch_test PRIVATE ${VD_PCH_STD} <filesystem> <fstream> <gtest/gtest.h>)
  if(VD_CCACHE)
    # Compiled without the cache; each header's checksum stands in for its bytes, which name the
    # folder it was built in, in the keys of the units that use it: see cmake/pch-sum.
    set_target_properties(vd_pch_std vd_pch_test PROPERTIES
      CXX_COMPILER_LAUNCHER "${CMAKE_SOURCE_DIR}/cmake/pch-sum;${CMAKE_SOURCE_DIR}")
  endif()
endif()

# vd_use_pch(target pch): the target's C++ units include the precompiled header of the target
# pch. Unlike REUSE_FROM, which names it by its absolute path, the options name it relative to the
# build tree, where every unit compiles: so the command lines, and ccache's keys, are the same in
# a clone in another folder.
function(vd_use_pch target pch)
  if(NOT TARGET ${pch})
    return()
  endif()
  set(header CMakeFiles/${pch}.dir/cmake_pch.hxx)
  target_compile_options(${target} PRIVATE
    "$<$<COMPILE_LANGUAGE:CXX>:-Winvalid-pch;SHELL:-Xclang -include-pch -Xclang ${header}.pch;SHELL:-Xclang -include -Xclang ${header}>")
  # The header is built first, and a new one rebuilds the units.
  add_dependencies(${target} ${pch})
  get_target_property(sources ${target} SOURCES)
  set_property(SOURCE ${sources} TARGET_DIRECTORY ${target} APPEND PROPERTY
    OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/${header}.pch)
endfunction()

# vd_library(name SOURCES ... DEPS ...): a static library rooted at the source tree.
function(vd_library name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS;SYSTEM_DEPS" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_DEPS} ${A_SYSTEM_DEPS})
  vd_use_pch(${name} vd_pch_std)
endfunction()

# The ThreadSanitizer build builds only this target: the threaded tests and what they need.
add_custom_target(vd_threaded_tests)

# vd_test(name SOURCES ... DEPS ... [THREADED] [LABELS ...] [TIMEOUT s]):
# a GoogleTest executable registered with CTest. THREADED tests also run in the
# ThreadSanitizer build; with VD_THREADED_ONLY nothing else is built. The label peers marks a
# test that starts a real server (icecast2, SMTP, Xvfb, PulseAudio): scripts/test retries those.
function(vd_test name)
  cmake_parse_arguments(A "THREADED" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  # A test that names the Xvfb starter's source links the library built from it once instead:
  # compiled into each of some twenty tests it cost a unit apiece.
  set(own_sources ${A_SOURCES})
  list(FILTER own_sources EXCLUDE REGEX "(^|/)Xvfb\\.cpp$")
  set(uses_xvfb FALSE)
  if(NOT own_sources STREQUAL A_SOURCES AND TARGET vd_test_xvfb)
    set(uses_xvfb TRUE)
    set(A_SOURCES ${own_sources})
    list(APPEND A_DEPS vd_test_xvfb)
  endif()
  if(VD_THREADED_ONLY AND NOT A_THREADED)
    # Defined, so that a folder's own settings for the test still apply, but never built or run.
    add_executable(${name} EXCLUDE_FROM_ALL ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS} vd_test_support GTest::gtest GTest::gtest_main)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    return()
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} vd_test_support GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  vd_use_pch(${name} vd_pch_test)
  set(labels ${A_LABELS})
  # A test that builds the Xvfb starter or the icecast2 kit starts a real peer; others that do
  # (the SMTP tests) say LABELS peers themselves.
  if(uses_xvfb OR A_SOURCES MATCHES "Xvfb\\.cpp" OR "vd_cast_testkit" IN_LIST A_DEPS)
    list(APPEND labels peers)
    list(REMOVE_DUPLICATES labels)
  endif()
  if(A_THREADED)
    list(APPEND labels threaded)
    add_dependencies(vd_threaded_tests ${name})
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 300)
  endif()
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${VD_OUTPUT_DIR})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${A_TIMEOUT} LABELS "${labels}")
  if("peers" IN_LIST labels)
    # The set-up installs every peer: a test that skipped for want of one shows a broken set-up.
    set_tests_properties(${name} PROPERTIES FAIL_REGULAR_EXPRESSION "\\[  SKIPPED \\]")
  endif()
endfunction()

# vd_fuzz(name SOURCES ... DEPS ... CORPUS dir [SECONDS n]): a libFuzzer target,
# run by CTest for a short, bounded time over its seed corpus. Without libFuzzer (fuzzing off,
# or a compiler other than clang) the target runs once over each seed as a plain test.
function(vd_fuzz name)
  cmake_parse_arguments(A "" "CORPUS;SECONDS" "SOURCES;DEPS" ${ARGN})
  if(VD_THREADED_ONLY)
    return()
  endif()
  if(NOT VD_FUZZ OR NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    # The corpus runner's main, compiled once for every target instead of once in each.
    if(NOT TARGET vd_fuzz_corpus_main)
      add_library(vd_fuzz_corpus_main STATIC ${CMAKE_SOURCE_DIR}/tests/support/FuzzCorpusMain.cpp)
    endif()
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_DEPS} vd_fuzz_corpus_main)
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
    add_test(NAME ${name} COMMAND ${name} ${A_CORPUS})
    set_tests_properties(${name} PROPERTIES TIMEOUT 120 LABELS "fuzz;corpus")
    return()
  endif()
  if(NOT A_SECONDS)
    set(A_SECONDS 15)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${name} PRIVATE ${A_DEPS})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  set(work ${CMAKE_BINARY_DIR}/fuzz/${name})
  file(MAKE_DIRECTORY ${work})
  add_test(NAME ${name}
           COMMAND ${name} -max_total_time=${A_SECONDS} -rss_limit_mb=1024 -timeout=10
                   -artifact_prefix=${work}/ ${work} ${A_CORPUS}
           WORKING_DIRECTORY ${work})
  # The run itself is bounded by -max_total_time; the first pass over a corpus that earlier runs
  # grew is not, and takes minutes on a saturated machine.
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS fuzz)
endfunction()

# vd_bench(name SOURCES ... DEPS ...): a Google Benchmark program, built on request, never a test.
function(vd_bench name)
  cmake_parse_arguments(A "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT VD_BENCH)
    return()
  endif()
  find_package(benchmark REQUIRED)
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_DEPS} vd_test_support benchmark::benchmark benchmark::benchmark_main)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
include(Embed)
