# Windows builds: the minimal dialog program the calculator's start-up is compared with.
add_executable(minimal_dialog WIN32 ${CMAKE_CURRENT_LIST_DIR}/minimal_dialog.cpp)
target_link_libraries(minimal_dialog PRIVATE datecalc_warnings user32)
target_link_options(minimal_dialog PRIVATE -municode)
