# The CD player component.
vistrel_test(engine_media_player_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/MediaPlayerTest.cpp
  LINKS vistrel_engine
  TIMEOUT 120)
