# The Debian package (`tools/build.sh package`, or `cpack -G DEB` in a build folder): what
# `cmake --install` lays out, with its library dependencies computed by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vistrel)
set(CPACK_PACKAGE_VENDOR "Vistrel developers")
set(CPACK_PACKAGE_CONTACT "Vistrel developers <vistrel@vistrel.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "player for video DVDs with menus, audio CDs and media files")
set(CPACK_PACKAGE_DESCRIPTION
    "Vistrel is a small skinnable player. It plays video DVDs with their menus,
chapters, audio languages, subtitles and angles, audio CDs track by track, and
media files (AVI, MPEG, WAV, MP3, MP2, MIDI). Its control panel takes the shape
of its skin; the desktop's media keys reach it through MPRIS.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(VISTREL_PRIVATE_LIBDIR)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${VISTREL_FFMPEG_PREFIX}/lib)
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Loaded at run time, so dpkg-shlibdeps cannot see them: SDL (sound), FluidSynth (MIDI), libgsf (bookmarks), Qt's X11
# platform plugin (the shaped panel needs X11, under Wayland through XWayland), a General MIDI sound font for MIDI files, the
# fonts the splash and panel are drawn with, the French of the standard dialogs, the desktop's
# volume mixer.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libsdl2-2.0-0, libfluidsynth3, libgsf-1-114, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "timgm6mb-soundfont | fluid-soundfont-gm, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "pavucontrol")
include(CPack)
