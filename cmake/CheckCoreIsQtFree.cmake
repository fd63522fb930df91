include(${CMAKE_CURRENT_LIST_DIR}/CoreIsQtFree.cmake)
tolvane_check_core_is_qt_free(${CORE_DIR})
