# GoogleTest from the Debian sources, built with whatever toolchain this build uses.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One test program per folder under tests/: tests/<dir>/*_test.cpp -> <dir>_tests.
# Each one leaves GoogleTest's premature-exit file in premature-exit/ while it runs, so a program
# that ends before its last case (exit(0) in code under test) is told from one that passed.
# Windows programs reach the folder through Wine's Z: drive.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/premature-exit)
if(WIN32)
  set(DATECALC_PREMATURE_EXIT_DIR Z:${CMAKE_BINARY_DIR}/premature-exit)
else()
  set(DATECALC_PREMATURE_EXIT_DIR ${CMAKE_BINARY_DIR}/premature-exit)
endif()
set(DATECALC_TEST_DIRS platform runtime datecalc fileio dialogs app)
# Cases that only a test script can prepare (mounts, another user, a holder process) run there
# alone; under ctest they could only skip, and a skip should mean something could not run.
set(DATECALC_SCRIPT_CASES_fileio "FileFaults.*")
foreach(dir IN LISTS DATECALC_TEST_DIRS)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${dir}/*_test.cpp)
  datecalc_filter_platform(test_sources ${found})
  if(test_sources)
    add_executable(${dir}_tests ${test_sources})
    target_link_libraries(${dir}_tests PRIVATE datecalc_core datecalc_warnings GTest::gmock GTest::gtest_main)
    target_include_directories(${dir}_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests)
    if(DEFINED DATECALC_SCRIPT_CASES_${dir})
      add_test(NAME ${dir}_tests COMMAND ${dir}_tests --gtest_filter=-${DATECALC_SCRIPT_CASES_${dir}})
    else()
      add_test(NAME ${dir}_tests COMMAND ${dir}_tests)
    endif()
    # The limit is longer than scripts/wine-exec's, which then ends a hung Windows program first.
    set_tests_properties(${dir}_tests PROPERTIES WORKING_DIRECTORY ${CMAKE_BINARY_DIR} TIMEOUT 600
      ENVIRONMENT TEST_PREMATURE_EXIT_FILE=${DATECALC_PREMATURE_EXIT_DIR}/${dir}_tests)
  endif()
endforeach()

# The helpers shared by the programs that work the real calculator from outside.
if(WIN32)
  include(${PROJECT_SOURCE_DIR}/tests/support/extra.cmake)
endif()
# Helper programs and helper sources of the folders that have them.
foreach(dir IN ITEMS platform runtime fileio dialogs app)
  include(${PROJECT_SOURCE_DIR}/tests/${dir}/extra.cmake)
endforeach()
# The end-to-end driver and the abuse driver (random actions, file faults) work the real window.
if(WIN32)
  include(${PROJECT_SOURCE_DIR}/tests/e2e/extra.cmake)
  include(${PROJECT_SOURCE_DIR}/tests/monkey/extra.cmake)
  # The start-up benchmark's programs: the platform floors it compares the calculator with.
  include(${PROJECT_SOURCE_DIR}/bench/startup/programs.cmake)
endif()
# Windows builds: the window tests build the real calculator window, icon and manifest included.
if(WIN32 AND TARGET app_tests)
  target_sources(app_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources/app.rc)
endif()
