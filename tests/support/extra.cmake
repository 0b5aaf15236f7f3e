# Helpers the test programs that work the real calculator from outside share: starting it and
# finding its windows, its health, remote records, bitmaps, the check tally.
add_library(test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/process_windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calculator.cpp
  ${CMAKE_CURRENT_LIST_DIR}/health.cpp
  ${CMAKE_CURRENT_LIST_DIR}/remote.cpp
  ${CMAKE_CURRENT_LIST_DIR}/bitmap.cpp)
target_include_directories(test_support PUBLIC ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(test_support PRIVATE datecalc_warnings PUBLIC comctl32 psapi user32 gdi32)

# A Windows program that works the real calculator from outside, on these helpers; it needs the
# calculator built beside it.
function(datecalc_add_window_driver name)
  cmake_parse_arguments(PARSE_ARGV 1 driver "" "" "SOURCES;LIBRARIES")
  add_executable(${name} ${driver_SOURCES})
  target_link_libraries(${name} PRIVATE test_support datecalc_warnings ${driver_LIBRARIES})
  target_link_options(${name} PRIVATE -municode)
  add_dependencies(${name} datecalc)
endfunction()

# The DLL the tests plant beside a program (tests/support/planted_dll.cpp), built as
# planted_dll.dll beside the test programs; its exports keep their plain names on i686 too.
add_library(planted_dll SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_dll.cpp)
set_target_properties(planted_dll PROPERTIES PREFIX "")
target_link_libraries(planted_dll PRIVATE datecalc_warnings)
target_link_options(planted_dll PRIVATE -Wl,--kill-at)
