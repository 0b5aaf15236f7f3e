# Where a file lives, or how it is named, chooses the builds it belongs to:
#   platform/win/..., foo_win.cpp        Windows builds only
#   platform/native/..., foo_posix.cpp   the native Linux builds only
#   anything else                        every build (portable code)
function(datecalc_filter_platform out)
  set(kept)
  foreach(file IN LISTS ARGN)
    # Only the part inside the tree decides: the clone itself may sit in a folder named "win".
    file(RELATIVE_PATH inside ${PROJECT_SOURCE_DIR} ${file})
    if(inside MATCHES "(^|/)win/|_win(_test)?\\.cpp$")
      if(WIN32)
        list(APPEND kept ${file})
      endif()
    elseif(inside MATCHES "(^|/)native/|_posix(_test)?\\.cpp$")
      if(NOT WIN32)
        list(APPEND kept ${file})
      endif()
    else()
      list(APPEND kept ${file})
    endif()
  endforeach()
  set(${out} ${kept} PARENT_SCOPE)
endfunction()

# Every *.cpp below each folder, subfolders included, that this build takes.
function(datecalc_collect_sources out)
  set(all)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
    list(APPEND all ${found})
  endforeach()
  datecalc_filter_platform(kept ${all})
  set(${out} ${kept} PARENT_SCOPE)
endfunction()
