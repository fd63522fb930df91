include(${CMAKE_CURRENT_LIST_DIR}/UiLayers.cmake)
tolvane_check_ui_layers(${UI_DIR})
