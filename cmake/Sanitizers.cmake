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
  add_compile_options(-fsanitize=thread)
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
# A libFuzzer target: SOURCE defines LLVMFuzzerTestOneInput; its seed corpus is
# tests/fuzz/corpus/NAME/ and tools/fuzz.sh runs it. Built only in a VISTREL_FUZZ build.
function(vistrel_fuzzer name source)
  if(NOT VISTREL_FUZZ)
    return()
  endif()
  add_executable(${name} ${source})
  add_dependencies(fuzzers ${name})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  target_link_libraries(${name} PRIVATE ${ARGN})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()
