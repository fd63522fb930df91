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

include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

function(tolvane_check_core_layers core_dir)
  tolvane_check_layers("${core_dir}" core "${TOLVANE_CORE_LAYERS}" "${TOLVANE_CORE_LAYER_EXCEPTIONS}")
endfunction()
