# The abuse driver: random user actions and snapshot faults against the real calculator, from
# a Windows program of its own. Run by tests/monkey/*.test.sh and tests/soak/.
datecalc_add_window_driver(abuse_driver
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/abuse_driver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monkey.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monkey_actions.cpp
    ${CMAKE_CURRENT_LIST_DIR}/monkey_checks.cpp
    ${CMAKE_CURRENT_LIST_DIR}/window_model.cpp
    ${CMAKE_CURRENT_LIST_DIR}/typed_texts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/real_window.cpp
    ${CMAKE_CURRENT_LIST_DIR}/process_usage.cpp
    ${CMAKE_CURRENT_LIST_DIR}/snapshot_file_check.cpp
    ${CMAKE_CURRENT_LIST_DIR}/snapshot_fault.cpp
  LIBRARIES ntdll)
