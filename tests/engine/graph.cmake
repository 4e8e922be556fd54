# Graph components and the file graph.
vistrel_test(engine_graph_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/GraphEventsTest.cpp ${CMAKE_CURRENT_SOURCE_DIR}/GraphConnectionTest.cpp
          ${CMAKE_CURRENT_SOURCE_DIR}/GraphInspectorTest.cpp
  LINKS vistrel_engine
  TIMEOUT 300)

# Fifty render and clear cycles under LeakSanitizer (linked in; nothing is rebuilt for it).
vistrel_test(engine_graph_leak_test
  SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/GraphLeakTest.cpp
  LINKS vistrel_engine
  LABELS leak
  TIMEOUT 300)
if(NOT VISTREL_SANITIZED)
  target_link_options(engine_graph_leak_test PRIVATE -fsanitize=leak)
endif()
set_property(TEST engine_graph_leak_test APPEND PROPERTY ENVIRONMENT
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tools/sanitizers/lsan.supp:print_suppressions=0")
if(TARGET vistrel-graphs)
  add_dependencies(engine_graph_test vistrel-graphs)
endif()
