# Video window control and seek bar: on stand-in graphs, then on the real file graph under a
# window system.
vistrel_test(engine_videowindow
  SOURCES TrackBarSeekTest.cpp VideoWindowBindingTest.cpp VideoWindowFakes.h
  LINKS vistrel_engine)

vistrel_test(engine_videowindow_playback
  SOURCES VideoWindowPlaybackTest.cpp
  LINKS vistrel_engine
  GUI
  TIMEOUT 120)
