# cmake -DBUILD_DIR=... -DWORK_DIR=... -DBINDIR=bin -DDATADIR=share -DMANDIR=share/man
#       -DQ7_DATADIR=share/fluvarex -DEXAMPLE=case.json -DEXPECT="path|path" -DABSENT="path|path"
#       -DWITH_Q7=0|1 -DWITH_TEZAR_DATA=0|1 -P InstallTest.cmake
cmake_minimum_required(VERSION 3.25)
set(prefix ${WORK_DIR}/prefix)
# The user's data folder (XDG_DATA_HOME): the installed programs make their copy of the database
# there, never in the real home of whoever runs the tests.
set(home ${WORK_DIR}/home)
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR} ${home})

function(install_into what)
  execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what}: cmake --install failed (${rc}):\n${out}\n${err}")
  endif()
endfunction()

# Runs an installed program as a user would: Q7_DATABASE unset, the test's own data folder, in the
# work folder (nothing of the build tree beside it). Sets `out` and `err`; fails unless it exits 0.
function(run_installed what)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=Q7_DATABASE XDG_DATA_HOME=${home} ${ARGN}
                  WORKING_DIRECTORY ${WORK_DIR}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE o ERROR_VARIABLE e)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} exited ${rc}:\n${o}\n${e}")
  endif()
  set(out "${o}" PARENT_SCOPE)
  set(err "${e}" PARENT_SCOPE)
endfunction()

function(expect_sqlite path)
  file(READ ${path} header LIMIT 16 HEX)
  if(NOT header STREQUAL "53514c69746520666f726d6174203300") # "SQLite format 3\0"
    message(FATAL_ERROR "${path} is not an SQLite database: '${header}'")
  endif()
endfunction()

install_into("first install")

# The layout: programs in bin, data (the empty project database, the thesaurus, the user guide) in share/fluvarex,
# documents as Debian keeps them, the control in a private library folder; nothing else beside the
# programs.
string(REPLACE "|" ";" expect "${EXPECT}")
string(REPLACE "|" ";" absent "${ABSENT}")
foreach(f ${BINDIR}/q7-batch ${Q7_DATADIR}/q7.mdb ${Q7_DATADIR}/user-guide.md ${DATADIR}/doc/fluvarex/copyright
          ${DATADIR}/doc/fluvarex/changelog.Debian.gz ${MANDIR}/man1/q7-batch.1.gz ${expect})
  if(NOT EXISTS ${prefix}/${f})
    message(FATAL_ERROR "not installed: ${f}")
  endif()
endforeach()
foreach(f ${BINDIR}/q7.mdb ${absent})
  if(EXISTS ${prefix}/${f})
    message(FATAL_ERROR "installed where it does not belong: ${f}")
  endif()
endforeach()
expect_sqlite(${prefix}/${Q7_DATADIR}/q7.mdb)
file(SHA256 ${prefix}/${Q7_DATADIR}/q7.mdb template_sum)
file(READ ${prefix}/${DATADIR}/doc/fluvarex/copyright copyright)
foreach(text "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/"
             "/usr/share/common-licenses/GPL-3")
  string(FIND "${copyright}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the copyright file has no '${text}'")
  endif()
endforeach()
string(FIND "${copyright}" "TERMS AND CONDITIONS" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the copyright file carries the licence text instead of pointing at it")
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

# The installed batch tool on an example case.
get_filename_component(case ${EXAMPLE} NAME_WE)
run_installed("installed q7-batch run" ${prefix}/${BINDIR}/q7-batch run ${EXAMPLE} --check --out ${WORK_DIR}/out)
file(READ ${WORK_DIR}/out/${case}/summary.json summary)
string(JSON oil_go GET "${summary}" oil GO)
string(JSON rows GET "${summary}" prs NPRSo)
if(NOT oil_go OR rows LESS 2)
  message(FATAL_ERROR "the installed q7-batch computed no oil table for ${case}: GO=${oil_go}, NPRSo=${rows}")
endif()

# The project commands: the user's own database, made from the installed template on first use;
# a saved project lands there and the template stays empty.
set(user_db ${home}/fluvarex/q7.mdb)
run_installed("installed q7-batch projects" ${prefix}/${BINDIR}/q7-batch projects)
expect_sqlite(${user_db})
run_installed("installed q7-batch save" ${prefix}/${BINDIR}/q7-batch save ${EXAMPLE} --name "Installed check")
run_installed("installed q7-batch projects after save" ${prefix}/${BINDIR}/q7-batch projects)
string(FIND "${out}" "\nInstalled check\t" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the saved project is not listed:\n${out}")
endif()
file(SHA256 ${prefix}/${Q7_DATADIR}/q7.mdb sum)
if(NOT sum STREQUAL template_sum OR EXISTS ${prefix}/${BINDIR}/q7.mdb)
  message(FATAL_ERROR "saving a project changed the installed files instead of the user's copy")
endif()

# The installed control, found by its demo from the program's folder, reads the installed data file
# (the work folder holds none).
if(WITH_Q7 AND WITH_TEZAR_DATA)
  run_installed("installed tezar-demo --lookup" ${prefix}/${BINDIR}/tezar-demo --lookup happy)
  string(REGEX MATCH "\n--\n[^\n]+\n" synonyms "${out}")
  if(NOT synonyms)
    message(FATAL_ERROR "the installed tezar-demo found no synonyms of 'happy':\n${out}\n${err}")
  endif()
endif()

# The installed workstation starts and stays up until it is stopped.
if(WITH_Q7)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_DATA_HOME=${home}
                          --unset=Q7_DATABASE ${prefix}/${BINDIR}/q7
                  WORKING_DIRECTORY ${WORK_DIR} TIMEOUT 4 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc MATCHES "timeout")
    message(FATAL_ERROR "the installed q7 ended by itself (${rc}) instead of running:\n${out}\n${err}")
  endif()
endif()

# Installing again keeps the user's database and a database an older install left beside the
# programs (a stand-in for one holding projects), and writes none there.
file(WRITE ${prefix}/${BINDIR}/q7.mdb "projects of a user")
install_into("second install")
file(READ ${prefix}/${BINDIR}/q7.mdb kept)
if(NOT kept STREQUAL "projects of a user")
  message(FATAL_ERROR "a second install replaced the database beside the programs")
endif()
file(REMOVE ${prefix}/${BINDIR}/q7.mdb)
run_installed("q7-batch projects after the second install" ${prefix}/${BINDIR}/q7-batch projects)
string(FIND "${out}" "\nInstalled check\t" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the user's project is gone after a second install")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
message(STATUS "install into ${prefix}: layout, q7-batch, the user's database and Tezar fine")
