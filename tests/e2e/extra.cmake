# The end-to-end driver: a Windows program of its own that works the real calculator's window
# from outside, as a user's actions would reach it. Run by tests/e2e/e2e.test.sh.
datecalc_add_window_driver(e2e_driver
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/driver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/days_box.cpp
    ${CMAKE_CURRENT_LIST_DIR}/layout_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/result_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/snapshot_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/snapshot_race_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/character_checks.cpp
  LIBRARIES version)
# It plants this DLL beside a copy of the calculator.
add_dependencies(e2e_driver planted_dll)
