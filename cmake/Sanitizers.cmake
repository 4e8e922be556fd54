# Sanitizer and fuzzing builds, chosen at configure time:
#   -DVISTREL_SANITIZE=address   AddressSanitizer + UndefinedBehaviorSanitizer, stopping at the first report
#   -DVISTREL_SANITIZE=thread    ThreadSanitizer
#   -DVISTREL_FUZZ=ON            (clang only) every library instrumented for libFuzzer, with ASan+UBSan;
#                                the fuzz targets of tests/fuzz are built
set(VISTREL_SANITIZE "" CACHE STRING "Sanitizers to build with: address, thread or nothing")
option(VISTREL_FUZZ "Build the libFuzzer targets (clang only)" OFF)

if(VISTREL_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VISTREL_FUZZ needs clang (configure with CC=clang CXX=clang++)")
endif()

set(_undefined -fsanitize=undefined -fno-sanitize-recover=undefined)
if(VISTREL_FUZZ)
  add_custom_target(fuzzers)  # every fuzz target
  add_compile_options(-fsanitize=fuzzer-no-link,address ${_undefined} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(VISTREL_SANITIZE STREQUAL "address")
  add_compile_options(-fsanitize=address ${_undefined} -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(VISTREL_SANITIZE STREQUAL "thread")
  add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
  add_link_options(-fsanitize=thread)
elseif(VISTREL_SANITIZE)
  message(FATAL_ERROR "VISTREL_SANITIZE is address, thread or empty, not '${VISTREL_SANITIZE}'")
endif()

# True when the whole build carries a sanitizer already (a test that links one of its own skips it).
if(VISTREL_FUZZ OR VISTREL_SANITIZE)
  set(VISTREL_SANITIZED ON)
else()
  set(VISTREL_SANITIZED OFF)
endif()

# vistrel_fuzzer(NAME SOURCE LINKS...)
# A libFuzzer target: SOURCE defines LLVMFuzzerTestOneInput. Its seeds are in
# tests/fuzz/corpus/NAME/ and the inputs that once made it fail in tests/fuzz/regressions/NAME/.
# A VISTREL_FUZZ build makes the fuzzer (tools/fuzz.sh runs it); every other build makes the test
# NAME_replay, which runs those inputs through the same entry once.
function(vistrel_fuzzer name source)
  set(inputs ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name} ${PROJECT_SOURCE_DIR}/tests/fuzz/regressions/${name})
  if(VISTREL_FUZZ)
    add_executable(${name} ${source})
    add_dependencies(fuzzers ${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
    target_link_libraries(${name} PRIVATE ${ARGN})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  elseif(VISTREL_TESTS)
    add_executable(${name}_replay ${source} ${PROJECT_SOURCE_DIR}/tests/fuzz/ReplayMain.cpp)
    set_target_properties(${name}_replay PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_include_directories(${name}_replay PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name}_replay PRIVATE ${ARGN})
    add_test(NAME ${name}_replay COMMAND ${name}_replay ${inputs})
    set_tests_properties(${name}_replay PROPERTIES TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()
