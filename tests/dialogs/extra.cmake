# Windows only: the test icon for dialogs_tests, and the child program the start-up tests run.
if(WIN32 AND TARGET dialogs_tests)
  enable_language(RC)
  target_sources(dialogs_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/test_resources.rc)
  add_executable(startup_child WIN32 ${CMAKE_CURRENT_LIST_DIR}/startup_child_main.cpp)
  target_link_libraries(startup_child PRIVATE datecalc_core datecalc_warnings)
  add_dependencies(dialogs_tests startup_child)
  if(TARGET datecalc)
    add_dependencies(dialogs_tests datecalc)  # the entry-to-exit test runs it
  endif()
endif()
