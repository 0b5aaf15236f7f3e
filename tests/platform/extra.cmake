# What the time conversion tests need to know about the system they run on, one source a side.
datecalc_filter_platform(time_host_sources
  ${CMAKE_CURRENT_LIST_DIR}/time_host_win.cpp
  ${CMAKE_CURRENT_LIST_DIR}/time_host_posix.cpp)
target_sources(platform_tests PRIVATE ${time_host_sources})
# The system library test plants this DLL beside itself.
if(WIN32)
  add_dependencies(platform_tests planted_dll)
endif()
