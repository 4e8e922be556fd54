# What `cmake --install` lays out under the prefix: the program and its graph inspector in bin/,
# the program folder's data files in share/vistrel/, and the desktop's files: menu entry, icons,
# AppStream metainfo, manual pages, and the package's copyright and change log.
install(TARGETS vistrel vistrel-graphs RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The player's own FFmpeg build goes with it, in a folder of its own that the programs name.
if(VISTREL_FFMPEG_PREFIX)
  set(VISTREL_PRIVATE_LIBDIR lib/vistrel)
  set_target_properties(vistrel vistrel-graphs PROPERTIES
    INSTALL_RPATH "$ORIGIN/../${VISTREL_PRIVATE_LIBDIR}")
  install(DIRECTORY ${VISTREL_FFMPEG_PREFIX}/lib/ DESTINATION ${VISTREL_PRIVATE_LIBDIR}
          FILES_MATCHING PATTERN "lib*${VISTREL_FFMPEG_SUFFIX}.so.*" PATTERN pkgconfig EXCLUDE)
endif()

get_property(_program_data GLOBAL PROPERTY VISTREL_PROGRAM_DATA)
foreach(name IN LISTS _program_data)
  get_filename_component(folder "${name}" DIRECTORY)
  install(FILES ${VISTREL_BIN_DIR}/${name} DESTINATION ${VISTREL_INSTALL_DATADIR}/${folder})
endforeach()

set(_desktop ${PROJECT_SOURCE_DIR}/data/desktop)
install(FILES ${_desktop}/vistrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_desktop}/org.vistrel.vistrel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${_desktop}/vistrel.svg DESTINATION ${_icons}/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${_desktop}/icons/vistrel-${size}.png DESTINATION ${_icons}/${size}x${size}/apps
          RENAME vistrel.png)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/data/vistrel.1.gz ${CMAKE_BINARY_DIR}/data/vistrel-graphs.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_desktop}/copyright ${CMAKE_BINARY_DIR}/data/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/vistrel)
