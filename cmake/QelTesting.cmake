# GoogleTest for every build, Google Benchmark for the native one.
#
# Natively the system's GoogleTest is used; the MinGW builds compile it from
# the sources that Debian's googletest package installs.
if(NOT QEL_TESTS)
  return()
endif()

enable_testing()
include(GoogleTest)

if(CMAKE_CROSSCOMPILING)
  set(QEL_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  # Defines the GTest::gtest, GTest::gtest_main and GTest::gmock targets.
  add_subdirectory(${QEL_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

if(QEL_BENCHMARKS AND NOT CMAKE_CROSSCOMPILING)
  find_package(benchmark REQUIRED)
endif()

# qel_add_test(NAME [DESKTOP] SOURCES src... [LIBS lib...])
# One executable; each GoogleTest case becomes one CTest test, listed when
# ctest runs (under Wine for the Windows builds, through the emulator).
# DESKTOP: the cases drive the one shared desktop (pointer, focus, real
# input, screen pixels) or the prefix's registration of browser helper
# objects, so they never run beside each other.
function(qel_add_test name)
  cmake_parse_arguments(ARG "DESKTOP" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  set(properties TIMEOUT 120)
  if(ARG_DESKTOP)
    set(properties TIMEOUT 300 RESOURCE_LOCK wine_desktop)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES ${properties})
endfunction()

# qel_add_benchmark(NAME SOURCES src... [LIBS lib...])
function(qel_add_benchmark name)
  if(NOT QEL_BENCHMARKS OR CMAKE_CROSSCOMPILING)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark_main)
endfunction()
