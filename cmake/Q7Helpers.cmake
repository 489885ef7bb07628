# q7_add_test(NAME name SOURCES ... LIBS ... [GUI])
# One GoogleTest executable per area; GUI tests run on Qt's offscreen platform.
function(q7_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE
    Q7_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    Q7_GOLDEN_DIR="${PROJECT_SOURCE_DIR}/tests/data/golden"
    Q7_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(env "")
  if(T_GUI)
    set(env "QT_QPA_PLATFORM=offscreen")
  endif()
  gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ENVIRONMENT "${env}")
endfunction()
