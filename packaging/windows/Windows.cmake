# The Windows program's resources: the application manifest (DPI awareness) and the program's icon, which Explorer,
# the taskbar and Alt+Tab show. The resource compiler's dependency scan does not see the files the .rc names, so
# they are named here to rebuild the resource; the icon is made from the menu icons' pictures.
enable_language(RC)
file(GLOB STAR_ICON_PICTURES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/linux/icons/*.png)
set(STAR_ICON ${CMAKE_CURRENT_BINARY_DIR}/star-editor.ico)
add_custom_command(OUTPUT ${STAR_ICON}
                   COMMAND ${PROJECT_SOURCE_DIR}/packaging/windows/make-icon ${STAR_ICON}
                   DEPENDS ${PROJECT_SOURCE_DIR}/packaging/windows/make-icon ${STAR_ICON_PICTURES} VERBATIM)
set(STAR_RESOURCES ${PROJECT_SOURCE_DIR}/packaging/windows/star-editor.rc)
set(STAR_MANIFEST ${PROJECT_SOURCE_DIR}/packaging/windows/star-editor.exe.manifest)
target_sources(star-editor PRIVATE ${STAR_RESOURCES})
set_source_files_properties(${STAR_RESOURCES} PROPERTIES INCLUDE_DIRECTORIES ${CMAKE_CURRENT_BINARY_DIR}
                            OBJECT_DEPENDS "${STAR_MANIFEST};${STAR_ICON}")
