include(${CMAKE_CURRENT_LIST_DIR}/CoreLayers.cmake)
# A test may stand in its own exceptions (";"-separated) for the project's.
if(DEFINED CORE_LAYER_EXCEPTIONS)
  set(TOLVANE_CORE_LAYER_EXCEPTIONS ${CORE_LAYER_EXCEPTIONS})
endif()
tolvane_check_core_layers(${CORE_DIR})
