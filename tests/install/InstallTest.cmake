# cmake -DBUILD_DIR=... -DWORK_DIR=... -DBINDIR=bin -DDATADIR=share -DEXAMPLE=case.json
#       -DEXPECT="path|path" -DWITH_Q7=0|1 -P InstallTest.cmake
cmake_minimum_required(VERSION 3.25)
set(prefix ${WORK_DIR}/prefix)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

function(install_into what)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what}: cmake --install failed (${rc}):\n${out}\n${err}")
  endif()
  set(install_log "${out}" PARENT_SCOPE)
endfunction()

install_into("first install")

# The tree: the batch tool and the empty project database beside the programs always; the
# workstation's files, the icon renderings and the thesaurus when they were built.
string(REPLACE "|" ";" expect "${EXPECT}")
foreach(f ${BINDIR}/q7-batch ${BINDIR}/q7.mdb ${DATADIR}/doc/fluvarex/copyright ${expect})
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
file(READ ${prefix}/${BINDIR}/q7.mdb header LIMIT 16 HEX)
if(NOT header STREQUAL "53514c69746520666f726d6174203300") # "SQLite format 3\0"
  message(FATAL_ERROR "${BINDIR}/q7.mdb is not an SQLite database: '${header}'")
endif()
if(WITH_Q7)
  file(READ ${prefix}/${DATADIR}/applications/fluvarex.desktop desktop)
  foreach(line "Exec=q7" "Icon=fluvarex" "Name=Fluvarex")
    string(FIND "\n${desktop}" "\n${line}\n" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "fluvarex.desktop has no line ${line}")
    endif()
  endforeach()
  string(FIND "${desktop}" "\nCategories=Science;Engineering;\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "fluvarex.desktop is not in the Science and Engineering categories")
  endif()
endif()

# The installed batch tool on an example case, and on the installed database.
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=Q7_DATABASE
                        ${prefix}/${BINDIR}/q7-batch run ${EXAMPLE} --check --out ${WORK_DIR}/out
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
get_filename_component(case ${EXAMPLE} NAME_WE)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed q7-batch run exited ${rc}:\n${out}\n${err}")
endif()
file(READ ${WORK_DIR}/out/${case}/summary.json summary)
string(JSON oil_go GET "${summary}" oil GO)
string(JSON rows GET "${summary}" prs NPRSo)
if(NOT oil_go OR rows LESS 2)
  message(FATAL_ERROR "the installed q7-batch computed no oil table for ${case}: GO=${oil_go}, NPRSo=${rows}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=Q7_DATABASE ${prefix}/${BINDIR}/q7-batch projects
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "installed q7-batch projects on the installed database exited ${rc}:\n${out}\n${err}")
endif()

# The installed workstation starts and stays up until it is stopped.
if(WITH_Q7)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${prefix}/${BINDIR}/q7
                  TIMEOUT 4 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc MATCHES "timeout")
    message(FATAL_ERROR "the installed q7 ended by itself (${rc}) instead of running:\n${out}\n${err}")
  endif()
endif()

# Installing again keeps the database the user has (a stand-in for one holding projects).
file(WRITE ${prefix}/${BINDIR}/q7.mdb "projects of a user")
install_into("second install")
file(READ ${prefix}/${BINDIR}/q7.mdb kept)
if(NOT kept STREQUAL "projects of a user")
  message(FATAL_ERROR "a second install replaced the existing project database")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "install into ${prefix}: tree, q7-batch and database fine")
