# tavrelin_add_gtest(NAME SOURCES ... [LIBS ...] [WINE_TIMEOUT seconds])
#
# Natively every test case becomes a CTest test. Under Wine one process runs
# the whole executable: each Wine start costs far more than a test case does.
# Windows test processes share one wineserver, set up by the wine_session
# fixture.
include_guard(GLOBAL)

if(TAVRELIN_TESTS)
  find_package(GTest CONFIG REQUIRED)
  include(GoogleTest)
endif()

set(TAVRELIN_WINE_RUN ${CMAKE_SOURCE_DIR}/scripts/wine-run.sh)

function(tavrelin_add_gtest name)
  cmake_parse_arguments(ARG "" "WINE_TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(TARGET tavrelin_gtest_pch)
    target_precompile_headers(${name} REUSE_FROM tavrelin_gtest_pch)
  endif()
  if(WIN32)
    if(NOT ARG_WINE_TIMEOUT)
      set(ARG_WINE_TIMEOUT 300)
    endif()
    add_test(NAME ${name} COMMAND ${TAVRELIN_WINE_RUN} $<TARGET_FILE:${name}> --gtest_color=no)
    tavrelin_wine_test_properties(${name} ${ARG_WINE_TIMEOUT})
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# Every Wine test waits for the shared wineserver and has a hard timeout;
# shortly before it, wine-run.sh writes the stacks of every running program
# into the test's output.
function(tavrelin_wine_test_properties test timeout)
  set_tests_properties(${test} PROPERTIES
    FIXTURES_REQUIRED wine_session
    TIMEOUT ${timeout}
    ENVIRONMENT "TAVRELIN_WINE_TIMEOUT=${timeout};TAVRELIN_STACK_REPORT=$<TARGET_FILE:stack_report>;\
TAVRELIN_SYMBOLS_FILE=${TAVRELIN_SYMBOLS_FILE};TAVRELIN_ADDR2LINE=${CMAKE_ADDR2LINE}")
endfunction()
