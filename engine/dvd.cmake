# The DVD graph component.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/DvdTimeRecords.h ${CMAKE_CURRENT_SOURCE_DIR}/DvdTimeRecords.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSDVDGraph.h ${CMAKE_CURRENT_SOURCE_DIR}/TDSDVDGraph.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSDVDGraphEvents.cpp)
list(APPEND ENGINE_LINKS vistrel_platform_dvd vistrel_platform_system)
