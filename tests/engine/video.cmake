# Video window control and seek bar.
vistrel_test(engine_trackbar
  SOURCES TrackBarArithmeticTest.cpp TrackBarPaintTest.cpp TrackBarSeekTest.cpp VideoWindowFakes.h
  LINKS vistrel_engine)

vistrel_test(engine_videowindow
  SOURCES VideoWindowInputTest.cpp VideoWindowBindingTest.cpp VideoWindowFakes.h
  LINKS vistrel_engine)

# On the real file graph, under a window system.
vistrel_test(engine_videowindow_playback
  SOURCES VideoWindowPlaybackTest.cpp
  LINKS vistrel_engine
  GUI
  TIMEOUT 120)
