# Windows only: the child program the start-up tests run, since start-up ends its process.
if(WIN32)
  add_executable(startup_child WIN32 ${CMAKE_CURRENT_LIST_DIR}/startup_child_main.cpp)
  target_link_libraries(startup_child PRIVATE datecalc_core datecalc_warnings)
  target_link_libraries(runtime_tests PRIVATE test_support)
  add_dependencies(runtime_tests startup_child planted_dll)
  if(TARGET datecalc)
    add_dependencies(runtime_tests datecalc)  # the entry-to-exit test runs it
  endif()
endif()
