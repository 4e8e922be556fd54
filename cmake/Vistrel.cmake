# vistrel_library(NAME folder-target SOURCES ... LINKS ...)
# A static library for one subsystem folder, with the repository root on the include path so that
# headers are included as "folder/Header.h".
function(vistrel_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# vistrel_test(NAME SOURCES ... LINKS ... [GUI] [LABELS ...] [TIMEOUT s])
# A GoogleTest executable registered with ctest. GUI tests need a display (the test command runs
# them under Xvfb); every test gets SDL's dummy audio driver and the generated media folder.
function(vistrel_test name)
  cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;LINKS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} vistrel_testsupport GTest::gtest GTest::gmock)
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  if(VISTREL_SANITIZED)
    # Instrumented code runs several times slower; the limits guard against hangs, not speed.
    math(EXPR ARG_TIMEOUT "${ARG_TIMEOUT} * 4")
  endif()
  set(env "SDL_AUDIODRIVER=dummy" "VISTREL_MEDIA=${VISTREL_MEDIA_DIR}"
          "VISTREL_BIN=${VISTREL_BIN_DIR}" "VISTREL_SOURCE=${PROJECT_SOURCE_DIR}"
          "VISTREL_DATA_DIR=${VISTREL_BIN_DIR}")
  if(NOT ARG_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(VISTREL_SANITIZED)
    list(APPEND env "VISTREL_TEST_TIME_SCALE=4")  # the tests' waits, as the limits above
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" TIMEOUT ${ARG_TIMEOUT}
                       LABELS "${ARG_LABELS}")
  foreach(needed test_media program_data vistrel)
    if(TARGET ${needed})
      add_dependencies(${name} ${needed})
    endif()
  endforeach()
endfunction()

# vistrel_program_data(NAME ...)
# Files of the program folder (names relative to it, sub-folders kept) that `cmake --install` puts
# into <prefix>/share/vistrel: the data files data/ copies there, and any a build step writes there.
function(vistrel_program_data)
  set_property(GLOBAL APPEND PROPERTY VISTREL_PROGRAM_DATA ${ARGN})
endfunction()
