# What an install adds to the programs' own rules (batch/, store/, thesaurus/, app/): the
# workstation's desktop entry and icon, and the licence text. Included last, so every target exists.
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

install(FILES ${PROJECT_SOURCE_DIR}/COPYING DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/fluvarex RENAME copyright)
