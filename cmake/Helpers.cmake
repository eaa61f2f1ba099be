# cq_library(NAME SOURCES... DEPS...): one library target per folder, headers beside sources.
function(cq_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# cq_test(NAME SOURCES... DEPS...): a GoogleTest suite run under Qt's offscreen platform.
# Every test case is registered with CTest under the prefix NAME_.
function(cq_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name}_tests ${ARG_SOURCES})
  set_target_properties(${name}_tests PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${name}_tests PRIVATE cq_testsupport ${ARG_DEPS})
  # Where the sources and the assembled program directory are.
  target_compile_definitions(${name}_tests PRIVATE CQ_SOURCE_DIR="${PROJECT_SOURCE_DIR}" CQ_BIN_DIR="${CQ_BIN_DIR}")
  gtest_discover_tests(${name}_tests
    TEST_PREFIX ${name}_
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/tests
    PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen
               TIMEOUT 300)
endfunction()
