# The DVD graph component.
vistrel_test(engine_dvd_events_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/DvdEventsTest.cpp
  LINKS vistrel_engine)
vistrel_test(engine_dvd_graph_test GUI
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/DvdGraphComponentTest.cpp
  LINKS vistrel_engine
  TIMEOUT 300)
