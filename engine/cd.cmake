# The CD player component.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/TMediaPlayer.h ${CMAKE_CURRENT_SOURCE_DIR}/TMediaPlayer.cpp)
list(APPEND ENGINE_LINKS vistrel_platform_cdaudio vistrel_platform_com)
