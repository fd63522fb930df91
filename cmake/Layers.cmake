# A source tree is layered: a directory may include only its own layer and
# the ones below it. `layers` names the directories bottom to top;
# `exceptions` holds upward includes that stand until their code is
# reshaped, as "<including file>|<included file>", both relative to the
# root. An exception that no longer matches an include is refused too, so the
# list only shrinks.
function(tolvane_check_layers root_dir root layers exceptions)
  if(CMAKE_SCRIPT_MODE_FILE)
    file(GLOB_RECURSE files_in_root RELATIVE "${root_dir}" "${root_dir}/*.h" "${root_dir}/*.cpp")
  else()
    file(GLOB_RECURSE files_in_root CONFIGURE_DEPENDS RELATIVE "${root_dir}" "${root_dir}/*.h"
         "${root_dir}/*.cpp")
  endif()
  set(layer_list ${layers})
  set(exception_list ${exceptions})
  set(problems "")
  set(used_exceptions "")
  foreach(f IN LISTS files_in_root)
    string(REGEX MATCH "^[^/]+" layer "${f}")
    list(FIND layer_list "${layer}" rank)
    if(rank LESS 0 OR NOT f MATCHES "/")
      string(APPEND problems "\n  ${root}/${f}: not in a layer (add its directory to "
                             "the layer list of ${root}/)")
      continue()
    endif()
    file(STRINGS "${root_dir}/${f}" include_lines
         REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]${root}/")
    foreach(line IN LISTS include_lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]${root}/([^>\"]*)[>\"].*$" "\\1"
                           target "${line}")
      string(REGEX MATCH "^[^/]+" target_layer "${target}")
      list(FIND layer_list "${target_layer}" target_rank)
      if(target_rank LESS 0)
        string(APPEND problems "\n  ${root}/${f} includes ${root}/${target}, which is not in a layer")
      elseif(target_rank GREATER rank)
        list(FIND exception_list "${f}|${target}" exception_index)
        if(exception_index GREATER_EQUAL 0)
          list(APPEND used_exceptions "${f}|${target}")
        else()
          string(APPEND problems "\n  ${root}/${f} (layer ${layer}) includes ${root}/${target} "
                                 "(layer ${target_layer}, above it)")
        endif()
      endif()
    endforeach()
  endforeach()
  foreach(exception IN LISTS exception_list)
    list(FIND used_exceptions "${exception}" used_index)
    if(used_index LESS 0)
      string(APPEND problems "\n  exception \"${exception}\" no longer matches an include: "
                             "remove it from the exceptions of ${root}/")
    endif()
  endforeach()
  if(problems)
    message(FATAL_ERROR "${root} includes a higher layer:${problems}")
  endif()
endfunction()
