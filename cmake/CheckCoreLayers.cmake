include(${CMAKE_CURRENT_LIST_DIR}/CoreLayers.cmake)
tolvane_check_core_layers(${CORE_DIR})
