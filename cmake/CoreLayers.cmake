# core/ is layered: a directory may include only its own layer and the ones
# below it. Bottom to top:
#   text      Japanese text and charsets (cp932 tables, converters, query encoding)
#   files     files and settings, numbered strings, the small platform interfaces
#   stores    folder trees, item stores, clips, the engine list
#   browser   page host, pop-up gate and catcher, loading queue
#   commands  command numbers, the command table, keys, gestures, typed shortcuts
#   search    keywords, requests, the search runner, engine dialog
#   tabs      the tab model, tab tree, tab commands, workspace
#   frame     the main frame's bars, address list, page menus
#   app       the document, start-up settings, shutdown, the command line
set(TOLVANE_CORE_LAYERS text files stores browser commands search tabs frame app)

# Upward includes that stand until their code is reshaped, as
# "<including file>|<included file>", both relative to core/; none today. An
# entry that no longer matches an include is refused too, so the list only
# shrinks.
set(TOLVANE_CORE_LAYER_EXCEPTIONS)

function(tolvane_check_core_layers core_dir)
  if(CMAKE_SCRIPT_MODE_FILE)
    file(GLOB_RECURSE core_files RELATIVE "${core_dir}" "${core_dir}/*.h" "${core_dir}/*.cpp")
  else()
    file(GLOB_RECURSE core_files CONFIGURE_DEPENDS RELATIVE "${core_dir}" "${core_dir}/*.h"
         "${core_dir}/*.cpp")
  endif()
  set(problems "")
  set(used_exceptions "")
  foreach(f IN LISTS core_files)
    string(REGEX MATCH "^[^/]+" layer "${f}")
    list(FIND TOLVANE_CORE_LAYERS "${layer}" rank)
    if(rank LESS 0 OR NOT f MATCHES "/")
      string(APPEND problems "\n  core/${f}: not in a layer (add its directory to "
                             "TOLVANE_CORE_LAYERS in cmake/CoreLayers.cmake)")
      continue()
    endif()
    file(STRINGS "${core_dir}/${f}" include_lines
         REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]core/")
    foreach(line IN LISTS include_lines)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]core/([^>\"]*)[>\"].*$" "\\1"
                           target "${line}")
      string(REGEX MATCH "^[^/]+" target_layer "${target}")
      list(FIND TOLVANE_CORE_LAYERS "${target_layer}" target_rank)
      if(target_rank LESS 0)
        string(APPEND problems "\n  core/${f} includes core/${target}, which is not in a layer")
      elseif(target_rank GREATER rank)
        list(FIND TOLVANE_CORE_LAYER_EXCEPTIONS "${f}|${target}" exception_index)
        if(exception_index GREATER_EQUAL 0)
          list(APPEND used_exceptions "${f}|${target}")
        else()
          string(APPEND problems "\n  core/${f} (layer ${layer}) includes core/${target} "
                                 "(layer ${target_layer}, above it)")
        endif()
      endif()
    endforeach()
  endforeach()
  foreach(exception IN LISTS TOLVANE_CORE_LAYER_EXCEPTIONS)
    list(FIND used_exceptions "${exception}" used_index)
    if(used_index LESS 0)
      string(APPEND problems "\n  exception \"${exception}\" no longer matches an include: "
                             "remove it from cmake/CoreLayers.cmake")
    endif()
  endforeach()
  if(problems)
    message(FATAL_ERROR "core includes a higher layer:${problems}")
  endif()
endfunction()
