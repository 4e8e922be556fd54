# Graph components and the file graph.
list(APPEND ENGINE_SOURCES
  ${CMAKE_CURRENT_SOURCE_DIR}/ApplicationException.h ${CMAKE_CURRENT_SOURCE_DIR}/ApplicationException.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TOleServer.h ${CMAKE_CURRENT_SOURCE_DIR}/TOleServer.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSGraph.h ${CMAKE_CURRENT_SOURCE_DIR}/TDSGraph.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSGraphEvents.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSFilterGraph2.h ${CMAKE_CURRENT_SOURCE_DIR}/TDSFilterGraph2.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/TDSFilterList.h ${CMAKE_CURRENT_SOURCE_DIR}/TDSFilterList.cpp)
list(APPEND ENGINE_LINKS vistrel_platform_com vistrel_platform_media vistrel_platform_system)
