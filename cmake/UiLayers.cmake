# ui/ is layered like core/ (cmake/Layers.cmake). Bottom to top:
#   base      Qt utilities: text conversion, timers, clipboard, prompter, tree
#             widget, property form, band tool bar
#   browser   the web engine control, page view, profile
#   stores    the item dialogs
#   search    the search bar, engine dialog, site search adder
#   tabs      the tab rows, tab tree, page area, view
#   sidebar   the side bar and its search tree
#   frame     the main frame, its bars, menus and input filter
#   app       the application: start-up, single instance, hand-over
set(TOLVANE_UI_LAYERS base browser stores search tabs sidebar frame app)
set(TOLVANE_UI_LAYER_EXCEPTIONS)

include(${CMAKE_CURRENT_LIST_DIR}/Layers.cmake)

function(tolvane_check_ui_layers ui_dir)
  tolvane_check_layers("${ui_dir}" ui "${TOLVANE_UI_LAYERS}" "${TOLVANE_UI_LAYER_EXCEPTIONS}")
endfunction()
