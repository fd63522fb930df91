# cmake -DSHIPPED=<data/vq_search.eng> -DTARGET=<dir of the program>/vq_search.eng -P this
#
# Puts the shipped engine list beside the program, which is its data
# directory when no --data-dir is given. A list already there is kept unless
# it is an older shipped list (lower list version): it may be a newer one
# from the update server, or one the user put there.
if(NOT SHIPPED OR NOT TARGET)
  message(FATAL_ERROR "usage: cmake -DSHIPPED=FILE -DTARGET=FILE -P ${CMAKE_CURRENT_LIST_FILE}")
endif()

# The list version: field 1 of the header line; empty when unreadable.
function(engine_list_version file out)
  file(READ "${file}" head LIMIT 200)
  if(head MATCHES "^@@SearchEngineList@@\r?\n[ ]*[0-9]*\t[ ]*([0-9]+)")
    set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

if(EXISTS "${TARGET}" OR IS_SYMLINK "${TARGET}")
  engine_list_version("${SHIPPED}" shipped_version)
  engine_list_version("${TARGET}" present_version)
  if(shipped_version STREQUAL "" OR present_version STREQUAL ""
     OR NOT present_version LESS shipped_version)
    return()
  endif()
  message(STATUS "Replacing engine list version ${present_version} by ${shipped_version}: ${TARGET}")
endif()

# Through a temporary name, so the program never sees half a list.
file(COPY_FILE "${SHIPPED}" "${TARGET}.tmp")
file(RENAME "${TARGET}.tmp" "${TARGET}")
