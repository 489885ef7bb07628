# q7_version: the program's version (Q7_VERSION_MAJOR, _MINOR, _PATCH) for the files that print
# it; a target that needs it links this.
add_library(q7_version INTERFACE)
target_compile_definitions(q7_version INTERFACE
  Q7_VERSION_MAJOR=${PROJECT_VERSION_MAJOR}
  Q7_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  Q7_VERSION_PATCH=${PROJECT_VERSION_PATCH})

# q7_add_test(NAME name SOURCES ... LIBS ... [GUI] [ENVIRONMENT VAR=VALUE...] [FIXTURES name]
#             [LABEL label])
# One GoogleTest executable per area; GUI tests run on Qt's offscreen platform. FIXTURES names a
# CTest fixture every test of the executable requires (the database server of the store tests).
# LABEL gives every test of the executable a CTest label ("long": a suite a second build's test
# run leaves out with `ctest -LE long`).
function(q7_add_test)
  cmake_parse_arguments(T "GUI" "NAME;FIXTURES;LABEL" "SOURCES;LIBS;ENVIRONMENT" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} q7_test_support GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${T_NAME} PRIVATE
    Q7_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    Q7_GOLDEN_DIR="${PROJECT_SOURCE_DIR}/tests/data/golden"
    Q7_BINARY_DIR="${PROJECT_BINARY_DIR}")
  set(env ${T_ENVIRONMENT})
  if(T_GUI)
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  set(props "")
  if(env)
    set(props ENVIRONMENT "${env}")
  endif()
  if(T_FIXTURES)
    list(APPEND props FIXTURES_REQUIRED ${T_FIXTURES})
  endif()
  if(T_LABEL)
    list(APPEND props LABELS ${T_LABEL})
  endif()
  if(props)
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60 PROPERTIES ${props})
  else()
    gtest_discover_tests(${T_NAME} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# q7_layer_headers(TARGET FOLDER...)
# TARGET exports the headers of its own folders only (e.g. "engine" "rock", or "store/ui"): they are
# linked into a folder of the build tree that becomes TARGET's include path, so a file reaches
# another folder's headers only through a target it links, and an include against the layer order
# does not compile. A target never puts the whole source tree on the include path.
function(q7_layer_headers target)
  set(root ${CMAKE_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${root})
  foreach(folder ${ARGN})
    file(GLOB headers CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header ${headers})
      get_filename_component(name ${header} NAME)
      file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
    endforeach()
  endforeach()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE $<BUILD_INTERFACE:${root}>)
  else()
    target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${root}>)
  endif()
endfunction()
