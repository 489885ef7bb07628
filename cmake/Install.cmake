# What an install adds to the programs' own rules (batch/, store/, thesaurus/, app/): the
# workstation's desktop entry and icon, the copyright file, the changelog and the manual pages. Included last, so every target exists.
if(TARGET q7)
  install(FILES ${PROJECT_SOURCE_DIR}/data/fluvarex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/fluvarex.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

  # PNG renderings of the same icon, for desktops that take no SVG.
  find_package(Qt6 QUIET COMPONENTS Gui Svg)
  if(TARGET Qt6::Svg)
    add_executable(fluvarex-render-icon ${PROJECT_SOURCE_DIR}/data/RenderIcon.cpp)
    target_link_libraries(fluvarex-render-icon PRIVATE Qt6::Gui Qt6::Svg)
    set(fluvarex_pngs "")
    foreach(size 48 256)
      set(png ${CMAKE_BINARY_DIR}/icons/${size}x${size}/fluvarex.png)
      add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
        COMMAND fluvarex-render-icon ${PROJECT_SOURCE_DIR}/data/fluvarex.svg ${png} ${size}
        DEPENDS fluvarex-render-icon ${PROJECT_SOURCE_DIR}/data/fluvarex.svg
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
      list(APPEND fluvarex_pngs ${png})
      install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(fluvarex-icons ALL DEPENDS ${fluvarex_pngs})
  endif()
endif()

# The user guide, read by the workstation's Help -> User Guide (so kept uncompressed, with the data).
install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.md DESTINATION ${Q7_INSTALL_DATADIR})

# The package's documents, as Debian keeps them: the copyright file (pointing at the system's copy
# of the GPL), the changelog and the manual pages, compressed with gzip -9n (no name, no time stamp,
# so that the same sources give the same package).
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fluvarex)
find_program(Q7_GZIP gzip REQUIRED)
function(q7_install_gzipped source destination name)
  set(gz ${CMAKE_BINARY_DIR}/doc/${name}.gz)
  add_custom_command(OUTPUT ${gz}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
    COMMAND ${Q7_GZIP} -9n -c ${source} > ${gz}
    DEPENDS ${source}
    COMMENT "Compressing ${name}")
  string(MAKE_C_IDENTIFIER "q7-doc-${name}" target)
  add_custom_target(${target} ALL DEPENDS ${gz})
  install(FILES ${gz} DESTINATION ${destination})
endfunction()
q7_install_gzipped(${PROJECT_SOURCE_DIR}/data/debian/changelog ${CMAKE_INSTALL_DATADIR}/doc/fluvarex
                   changelog.Debian)
set(q7_manual_pages q7-batch)
foreach(program q7 tezar-demo tezar-mkthes)
  if(TARGET ${program})
    list(APPEND q7_manual_pages ${program})
  endif()
endforeach()
foreach(page ${q7_manual_pages})
  q7_install_gzipped(${PROJECT_SOURCE_DIR}/data/man/${page}.1 ${CMAKE_INSTALL_MANDIR}/man1 ${page}.1)
endforeach()
