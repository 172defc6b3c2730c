# Installs the editor as Linux desktop programs are installed, relocatable to any prefix: the program under
# libexec/star-editor/, its font under share/star-editor/Resources/, and bin/star-editor, a launcher that starts the
# program in that data folder (the program opens Resources/Baloo.ttf relative to its working directory). Then the
# menu entry, its icons, the software-centre listing, the manual page and the Debian package's description.
include(GNUInstallDirs)

set(STAR_APP_ID org.stareditor.StarPolygonEditor)
set(STAR_DATA_DIR ${CMAKE_INSTALL_DATADIR}/star-editor)
set(STAR_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/star-editor)
foreach(dir IN ITEMS CMAKE_INSTALL_BINDIR STAR_DATA_DIR STAR_PROGRAM_DIR)
  if(IS_ABSOLUTE "${${dir}}")
    message(FATAL_ERROR "${dir} must be relative to the prefix, so that the installation can be moved")
  endif()
endforeach()

set(STAR_LINUX_DIR ${PROJECT_SOURCE_DIR}/packaging/linux)

install(TARGETS star-editor RUNTIME DESTINATION ${STAR_PROGRAM_DIR})
install(FILES Resources/Baloo.ttf Resources/LICENSE-Baloo.txt DESTINATION ${STAR_DATA_DIR}/Resources)

# The launcher finds both folders from its own.
file(RELATIVE_PATH STAR_BIN_TO_DATA /${CMAKE_INSTALL_BINDIR} /${STAR_DATA_DIR})
file(RELATIVE_PATH STAR_BIN_TO_PROGRAM /${CMAKE_INSTALL_BINDIR} /${STAR_PROGRAM_DIR}/star-editor)
configure_file(${STAR_LINUX_DIR}/star-editor.in launcher/star-editor @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/launcher/star-editor DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${STAR_LINUX_DIR}/${STAR_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${STAR_LINUX_DIR}/${STAR_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size IN ITEMS 16 24 32 48 64 128 256)
  install(FILES ${STAR_LINUX_DIR}/icons/${size}x${size}.png DESTINATION
          ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${STAR_APP_ID}.png)
endforeach()

# Manual page and changelog compressed as Debian wants them: best compression, no name or time stamp inside.
set(STAR_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/star-editor)
foreach(file IN ITEMS star-editor.1 changelog)
  add_custom_command(OUTPUT ${file}.gz
                     COMMAND gzip -9n -c ${STAR_LINUX_DIR}/${file} > ${file}.gz
                     DEPENDS ${STAR_LINUX_DIR}/${file} VERBATIM)
endforeach()
add_custom_target(star-editor-docs ALL DEPENDS star-editor.1.gz changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/star-editor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${STAR_LINUX_DIR}/copyright DESTINATION ${STAR_DOC_DIR})

# The Debian package: cpack -G DEB in a build configured with CMAKE_INSTALL_PREFIX=/usr (scripts/package).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME star-editor)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "view and edit regular and isotoxal star polygons")
# Lines of the long description stay within 80 columns, as terminals show them.
set(CPACK_PACKAGE_DESCRIPTION [=[
Star Polygon Editor shows two star figures side by side and redraws them as
you type: the regular star polygon {n/m}, n points on a circle each joined to
the point m places further on, and an isotoxal star, n tips whose 2n edges are
all equally long. Boxes below the figures set their number of points, density,
tip angle and rotation, the background colour and the colour of the figures.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The team has no public address yet; .invalid says so plainly instead of inventing one.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Star Polygon Editor developers <developers@star-editor.invalid>")
# SDL loads OpenGL (GLX on X11, EGL on Wayland) at run time, so the binary alone does not name them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1, libegl1")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
