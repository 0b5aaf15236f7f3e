add_library(datecalc_warnings INTERFACE)
target_compile_options(datecalc_warnings INTERFACE -Wall -Wextra -Werror)

# Product code reports failures as run-time error numbers, never by exceptions. It also avoids
# library calls whose range checks throw (string_view::copy, bitset::set): even unreached, they
# link the exception machinery into the release program. memcpy and unchecked indexing stand
# in for them.
add_library(datecalc_product_flags INTERFACE)
target_link_libraries(datecalc_product_flags INTERFACE datecalc_warnings)
target_compile_options(datecalc_product_flags INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions -fno-rtti>)

if(WIN32)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
  # Static runtime: the import table names system DLLs only.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # The same sources give the same program wherever and whenever they are built: no link time
  # in the PE header, no build folder in the objects.
  add_link_options(-Wl,--no-insert-timestamp)
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>
                      $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>)
endif()

if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  add_compile_options(-Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables)
  add_link_options(-s -Wl,--gc-sections)
endif()

if(DATECALC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
