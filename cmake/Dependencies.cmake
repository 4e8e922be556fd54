# Every outside library is found here, once, as an imported target.
find_package(Qt6 6.2 REQUIRED COMPONENTS Core Gui Widgets OpenGL OpenGLWidgets Test DBus)
find_package(PkgConfig REQUIRED)
find_package(JPEG REQUIRED)
find_package(Threads REQUIRED)

pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET
  libavformat libavcodec libavutil libswscale libswresample)
pkg_check_modules(DVDNAV REQUIRED IMPORTED_TARGET dvdnav dvdread)
pkg_check_modules(CDIO REQUIRED IMPORTED_TARGET libcdio libcdio_cdda libcdio_paranoia)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET fluidsynth)
pkg_check_modules(GSF REQUIRED IMPORTED_TARGET libgsf-1)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)

if(VISTREL_TESTS)
  find_package(GTest REQUIRED)
endif()
if(VISTREL_BENCH)
  find_package(benchmark QUIET)
endif()
