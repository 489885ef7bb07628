# The Debian package: `cpack` in the build folder writes fluvarex_<version>_<arch>.deb, installing
# under /usr. Its dependencies are the packages of the shared libraries the programs link (found by
# dpkg-shlibdeps) and the Qt plug-ins loaded at run time: the SQLite driver of the project database
# and the platform plug-ins that open the workstation's window.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fluvarex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Fluvarex")
set(CPACK_PACKAGE_CONTACT "Fluvarex maintainers <maintainers@fluvarex.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# The long description; CPack puts the summary above it and indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Fluvarex computes oil, gas and water PVT tables and relative-permeability
tables from published correlations, writes them as Eclipse include files, CSV
and a text/HTML report, and keeps each set of inputs as a project. The package
holds the workstation q7, the batch tool q7-batch, the empty project database,
and Tezar, a thesaurus control shipped as a shared library with its English
data file.

License: GPL-3.0-or-later")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/COPYING)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite")
if(TARGET q7)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins")
endif()
set(CPACK_STRIP_FILES ON)

# Maintainer script: the project database's journal files go with the database.
set(Q7_INSTALLED_DATABASE ${CPACK_PACKAGING_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/q7.mdb)
configure_file(${PROJECT_SOURCE_DIR}/data/debian/postrm.in ${CMAKE_BINARY_DIR}/debian/postrm @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)
