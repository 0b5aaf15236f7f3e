# Windows builds: the icon group 200, the manifest and the version block go into the program.
enable_language(RC)
target_sources(datecalc PRIVATE ${CMAKE_CURRENT_LIST_DIR}/app.rc)
# windres looks for app.ico and app.manifest from its working directory, not the .rc's own.
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/app.rc APPEND PROPERTY COMPILE_OPTIONS
  --include-dir=${CMAKE_CURRENT_LIST_DIR})
# The version block's numbers and texts, from VERSION through project().
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/resources/version.h @ONLY)
set_property(SOURCE ${CMAKE_CURRENT_LIST_DIR}/app.rc APPEND PROPERTY COMPILE_OPTIONS
  --include-dir=${CMAKE_BINARY_DIR}/resources)
