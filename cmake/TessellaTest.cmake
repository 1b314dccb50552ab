# tessella_add_test(<name> SOURCES <files...> LIBS <targets...>)
# Registers a QtTest executable with CTest. Every test runs headless, with an
# empty home directory of its own, so that it never touches the user's settings.
function(tessella_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  set(home ${CMAKE_BINARY_DIR}/test-home/${name})
  add_test(NAME ${name}_home COMMAND ${CMAKE_COMMAND} -Ddir=${home} -P ${PROJECT_SOURCE_DIR}/cmake/FreshDir.cmake)
  set_tests_properties(${name}_home PROPERTIES FIXTURES_SETUP home_${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};TESSELLA_SOURCE_DIR=${PROJECT_SOURCE_DIR};TESSELLA_BINARY_DIR=${CMAKE_BINARY_DIR}"
    FIXTURES_REQUIRED home_${name}
    TIMEOUT 300)
endfunction()
