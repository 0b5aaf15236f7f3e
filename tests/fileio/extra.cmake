# The fault script's holder: keeps a file open without sharing from another process.
add_executable(fileio_holder ${PROJECT_SOURCE_DIR}/tests/fileio/file_holder_main.cpp)
target_link_libraries(fileio_holder PRIVATE datecalc_core datecalc_warnings)
