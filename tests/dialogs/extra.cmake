# Windows only: the test icon for dialogs_tests.
if(WIN32 AND TARGET dialogs_tests)
  enable_language(RC)
  target_sources(dialogs_tests PRIVATE ${CMAKE_CURRENT_LIST_DIR}/test_resources.rc)
endif()
