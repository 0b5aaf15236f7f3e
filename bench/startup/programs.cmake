# Windows builds: the programs of the start-up and click benchmarks.
# The least a dialog program does: the floor the calculator's start-up is compared with.
add_executable(minimal_dialog WIN32 ${CMAKE_CURRENT_LIST_DIR}/minimal_dialog.cpp)
target_link_libraries(minimal_dialog PRIVATE datecalc_warnings user32)
target_link_options(minimal_dialog PRIVATE -municode)

# The same with what the calculator's design asks of the platform: COM, common controls 6 (by
# the calculator's manifest) and a date picker.
add_executable(minimal_platform_dialog WIN32 ${CMAKE_CURRENT_LIST_DIR}/minimal_dialog.cpp
  ${PROJECT_SOURCE_DIR}/resources/app.rc)
target_compile_definitions(minimal_platform_dialog PRIVATE WITH_PLATFORM_LIBRARIES)
target_link_libraries(minimal_platform_dialog PRIVATE datecalc_warnings user32 comctl32 ole32)
target_link_options(minimal_platform_dialog PRIVATE -municode)

# The calculator's own handling of a button, timed inside its process.
add_executable(click_timing ${CMAKE_CURRENT_LIST_DIR}/click_timing.cpp)
target_link_libraries(click_timing PRIVATE datecalc_core datecalc_warnings)

# The calculator's window built directly on the platform, with none of the program's own code:
# between the floor and the calculator, it tells the design's window from the program's code.
add_executable(design_window WIN32 ${CMAKE_CURRENT_LIST_DIR}/design_window.cpp
  ${PROJECT_SOURCE_DIR}/resources/app.rc)
target_include_directories(design_window PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(design_window PRIVATE datecalc_product_flags user32 gdi32 comctl32 ole32 oleaut32)
target_link_options(design_window PRIVATE -municode)
