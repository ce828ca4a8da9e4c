# SPDX-License-Identifier: GPL-3.0-or-later
# viga_add_test(<name> SOURCES ... LIBS ... [DATABASE])
# Registers a Qt Test executable with CTest, offscreen. With DATABASE the test
# runs twice: on a SQLite file and on the PostgreSQL server the test script
# started (VIGA_TEST_PGHOST/VIGA_TEST_PGPORT in the environment).
function(viga_add_test name)
  cmake_parse_arguments(T "DATABASE" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} Qt6::Test)
  set(env "QT_QPA_PLATFORM=offscreen" "LC_ALL=C.UTF-8")
  if(T_DATABASE)
    add_test(NAME ${name}_sqlite COMMAND ${name})
    set_tests_properties(${name}_sqlite PROPERTIES ENVIRONMENT "${env};VIGA_TEST_DRIVER=QSQLITE")
    add_test(NAME ${name}_pg COMMAND ${name})
    set_tests_properties(${name}_pg PROPERTIES ENVIRONMENT "${env};VIGA_TEST_DRIVER=QPSQL")
  else()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}")
  endif()
endfunction()

# viga_add_library(<name> <dir> LIBS ...): a static library of every .cpp/.h in
# <dir> (picked up as files are added); an interface library while it has none.
function(viga_add_library name dir)
  cmake_parse_arguments(L "" "" "LIBS" ${ARGN})
  file(GLOB src CONFIGURE_DEPENDS ${dir}/*.cpp ${dir}/*.h)
  if(src)
    add_library(${name} STATIC ${src})
    target_include_directories(${name} PUBLIC ${dir})
    target_link_libraries(${name} PUBLIC ${L_LIBS})
  else()
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${dir})
    target_link_libraries(${name} INTERFACE ${L_LIBS})
  endif()
endfunction()
