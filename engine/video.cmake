# Video window control and seek bar.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSVideoWindow.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSVideoWindowCanvas.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSTrackBar.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSTrackBarTimer.cpp)
list(APPEND ENGINE_LINKS Qt6::Widgets vistrel_platform_media)
