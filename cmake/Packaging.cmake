# The Debian package: `cpack` in the build folder writes fluvarex_<version>-<revision>_<arch>.deb,
# installing under /usr (the layout of cmake/Layout.cmake). Its dependencies are the packages of the
# shared libraries the programs link (found by dpkg-shlibdeps) and the Qt plug-ins loaded at run
# time: the SQLite driver of the project database and the platform plug-ins that open the
# workstation's window. No maintainer scripts: nothing is written under /usr after installing.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fluvarex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
# The Debian revision: the changelog's latest entry (data/debian/changelog) is this version.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_VENDOR "Fluvarex")
set(CPACK_PACKAGE_CONTACT "Fluvarex maintainers <maintainers@fluvarex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Fluvarex computes oil, gas and water PVT tables and relative-permeability
tables from published correlations, writes them as Eclipse include files, CSV
and a text/HTML report, and keeps each set of inputs as a project. The package
holds the workstation q7, the batch tool q7-batch, the empty project database
each user's own copy is made from, and Tezar, a thesaurus control shipped as
a private shared library with its English data file.

License: GPL-3.0-or-later")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
if(TARGET q7)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins")
endif()
# Qt's PostgreSQL driver, for a project database shared on a server (Q7_DATABASE=postgresql://...).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql")
set(CPACK_STRIP_FILES ON)

include(CPack)
