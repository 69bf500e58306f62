# Qo on the desktop: its entry in the applications menu, its icon in the
# hicolor theme (drawn from the demo's model at build time, tools/icon) and
# AppStream metadata for software centres, under the component id QO_APP_ID.
# The metadata's screenshot is QO_HOMEPAGE/screenshot.png, the repository's
# screenshot.png published beside the home page.
set(QO_APP_ID "org.example.qo" CACHE STRING "AppStream component id: the project's domain, reversed, and qo")
set(QO_HOMEPAGE "https://qo.example.org" CACHE STRING "The project's home page, with screenshot.png under it")

install(FILES qo.desktop DESTINATION share/applications RENAME ${QO_APP_ID}.desktop COMPONENT runtime)
configure_file(qo.metainfo.xml.in ${CMAKE_CURRENT_BINARY_DIR}/${QO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${QO_APP_ID}.metainfo.xml DESTINATION share/metainfo COMPONENT runtime)
if(TARGET qo_icons)
  foreach(size 48 128 256)
    install(FILES $<TARGET_FILE_DIR:qo-icon>/${size}/qo.png DESTINATION share/icons/hicolor/${size}x${size}/apps
            COMPONENT runtime)
  endforeach()
endif()
