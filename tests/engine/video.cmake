# Video window control and seek bar.
vistrel_test(engine_trackbar
  SOURCES TrackBarArithmeticTest.cpp
  LINKS vistrel_engine)
