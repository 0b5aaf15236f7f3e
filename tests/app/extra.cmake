# Windows builds: the window tests build the real calculator window, icon and manifest included.
if(WIN32 AND TARGET app_tests)
  target_sources(app_tests PRIVATE ${PROJECT_SOURCE_DIR}/resources/app.rc)
endif()
