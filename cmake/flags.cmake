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
  # What a system program has: a canary in every function with an array or an address-taken
  # local (the guard's runtime linked in statically, like the rest), and no compatibility
  # shims from a terminal server.
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-fstack-protector-strong>)
  add_link_options(-fstack-protector-strong -Wl,--tsaware)
  # The same sources give the same program wherever and whenever they are built: no link time
  # in the PE header, no build folder in the objects.
  add_link_options(-Wl,--no-insert-timestamp)
  add_compile_options($<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>
                      $<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>)
endif()

# The shipped program's own link options. An i686 program that registers no SEH handler says so
# (NO_SEH), and Windows then calls none in it: GNU ld cannot write the SafeSEH table that would
# otherwise list the allowed ones. Nothing in it registers one: the compiler unwinds by DWARF-2
# tables, the program uses no exceptions, and no code of the program or of its static runtime
# touches the SEH chain (docs/hardening.md; tests/release/release.test.sh checks it).
add_library(datecalc_program_flags INTERFACE)
if(WIN32 AND CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  target_link_options(datecalc_program_flags INTERFACE -Wl,--no-seh)
endif()

if(CMAKE_BUILD_TYPE STREQUAL "MinSizeRel")
  add_compile_options(-Os -ffunction-sections -fdata-sections -fno-asynchronous-unwind-tables)
  add_link_options(-s -Wl,--gc-sections)
endif()

if(DATECALC_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
