# SPDX-License-Identifier: GPL-3.0-or-later
# viga_fuzz_alvo(<name> SOURCES ... LIBS ... CORPUS <dir>): the corpus replay
# <name>_fuzz_replay, run by ctest as <name>_fuzz_corpus in every build, and,
# with VIGA_FUZZ and clang, the libFuzzer target <name>_fuzzer (ASan + UBSan).
option(VIGA_FUZZ "Build the libFuzzer targets (clang only)" OFF)
if(VIGA_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VIGA_FUZZ needs clang (CMAKE_CXX_COMPILER=clang++)")
endif()

function(viga_fuzz_alvo name)
  cmake_parse_arguments(F "" "CORPUS" "SOURCES;LIBS" ${ARGN})
  add_executable(${name}_fuzz_replay ${PROJECT_SOURCE_DIR}/fuzz/scale/ReplayMain.cpp ${F_SOURCES})
  target_link_libraries(${name}_fuzz_replay PRIVATE ${F_LIBS} Qt6::Core)
  add_test(NAME ${name}_fuzz_corpus COMMAND ${name}_fuzz_replay ${F_CORPUS})
  set_tests_properties(${name}_fuzz_corpus PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  if(VIGA_FUZZ)
    add_executable(${name}_fuzzer ${F_SOURCES})
    target_compile_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name}_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_libraries(${name}_fuzzer PRIVATE ${F_LIBS})
  endif()
endfunction()
