# Where an install puts Fluvarex's own files (relative to the prefix), and the ways from the
# programs' folder and the control's folder to the data. The programs find their files relative to
# where they run, so the build tree, a prefix install and the Debian package all work unchanged.
#   share/fluvarex                    the empty project database (template), the thesaurus data and
#                                     the user guide (user-guide.md, read by Help -> User Guide)
#   lib/<multiarch>/fluvarex          libtezar.so, a private library (loaded with dlopen, not linked)
set(Q7_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/fluvarex)
if(CMAKE_INSTALL_LIBDIR STREQUAL "lib" AND CMAKE_LIBRARY_ARCHITECTURE)
  # GNUInstallDirs gives the multiarch folder only for the prefix /usr; the package installs there.
  set(Q7_INSTALL_PRIVATE_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/fluvarex)
else()
  set(Q7_INSTALL_PRIVATE_LIBDIR ${CMAKE_INSTALL_LIBDIR}/fluvarex)
endif()
file(RELATIVE_PATH Q7_DATA_FROM_BINDIR /${CMAKE_INSTALL_BINDIR} /${Q7_INSTALL_DATADIR})
file(RELATIVE_PATH Q7_DATA_FROM_LIBDIR /${Q7_INSTALL_PRIVATE_LIBDIR} /${Q7_INSTALL_DATADIR})
file(RELATIVE_PATH Q7_LIBDIR_FROM_BINDIR /${CMAKE_INSTALL_BINDIR} /${Q7_INSTALL_PRIVATE_LIBDIR})
