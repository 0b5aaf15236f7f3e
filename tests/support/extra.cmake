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
