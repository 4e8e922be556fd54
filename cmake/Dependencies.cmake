# Every outside library is found here, once, as an imported target.
find_package(Qt6 6.2 REQUIRED COMPONENTS Core Gui Widgets OpenGL OpenGLWidgets Test DBus)
find_package(PkgConfig REQUIRED)
find_package(JPEG REQUIRED)
find_package(Threads REQUIRED)

# FFmpeg: the player's own build (tools/ffmpeg/make-ffmpeg.sh, libraries named lib*-vistrel) when
# VISTREL_FFMPEG_PREFIX names it, as tools/build.sh does; otherwise the system's, which works the same
# but maps Debian's codec libraries too.
set(VISTREL_FFMPEG_PREFIX "" CACHE PATH "Folder of the player's own FFmpeg build (empty: the system's)")
set(VISTREL_FFMPEG_SUFFIX "")
if(VISTREL_FFMPEG_PREFIX)
  set(ENV{PKG_CONFIG_PATH} "${VISTREL_FFMPEG_PREFIX}/lib/pkgconfig:$ENV{PKG_CONFIG_PATH}")
  set(VISTREL_FFMPEG_SUFFIX -vistrel)
endif()
set(_ff ${VISTREL_FFMPEG_SUFFIX})
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET
  libavformat${_ff} libavcodec${_ff} libavutil${_ff} libswscale${_ff} libswresample${_ff})
# FFmpeg, FluidSynth, SDL and libgsf are opened at run time on first use (see vistrel_soname), so only
# their headers come from FFMPEG, FLUIDSYNTH, SDL2 and GSF. The program's own FFmpeg is found through
# the run path, which the build gives every program.
if(VISTREL_FFMPEG_PREFIX AND NOT FFMPEG_libavcodec${_ff}_PREFIX STREQUAL VISTREL_FFMPEG_PREFIX)
  message(FATAL_ERROR "FFmpeg found in ${FFMPEG_libavcodec${_ff}_PREFIX}, not in ${VISTREL_FFMPEG_PREFIX}")
endif()
if(VISTREL_FFMPEG_PREFIX)
  list(APPEND CMAKE_BUILD_RPATH ${VISTREL_FFMPEG_PREFIX}/lib)
endif()
pkg_check_modules(DVDNAV REQUIRED IMPORTED_TARGET dvdnav dvdread)
pkg_check_modules(CDIO REQUIRED IMPORTED_TARGET libcdio libcdio_cdda libcdio_paranoia)
pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(FLUIDSYNTH REQUIRED IMPORTED_TARGET fluidsynth)
pkg_check_modules(GSF REQUIRED IMPORTED_TARGET libgsf-1)
pkg_check_modules(ICU REQUIRED IMPORTED_TARGET icu-uc icu-i18n)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)

if(VISTREL_TESTS)
  find_package(GTest REQUIRED)
endif()
if(VISTREL_BENCH)
  find_package(benchmark QUIET)
endif()

# vistrel_soname(VAR MODULE NAME): the name the loader knows library NAME (e.g. "avformat") of the
# pkg-config module MODULE by, for opening it at run time.
function(vistrel_soname var module name)
  find_library(path NAMES ${name} HINTS ${${module}_LIBRARY_DIRS} NO_CACHE REQUIRED)
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${path} OUTPUT_VARIABLE dump)
  if(NOT dump MATCHES "SONAME +([^\n]+)")
    message(FATAL_ERROR "No SONAME in ${path}")
  endif()
  set(${var} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
vistrel_soname(VISTREL_AVFORMAT_SONAME FFMPEG avformat${_ff})
vistrel_soname(VISTREL_AVCODEC_SONAME FFMPEG avcodec${_ff})
vistrel_soname(VISTREL_AVUTIL_SONAME FFMPEG avutil${_ff})
vistrel_soname(VISTREL_SWSCALE_SONAME FFMPEG swscale${_ff})
vistrel_soname(VISTREL_SWRESAMPLE_SONAME FFMPEG swresample${_ff})
vistrel_soname(VISTREL_FLUIDSYNTH_SONAME FLUIDSYNTH fluidsynth)
vistrel_soname(VISTREL_SDL2_SONAME SDL2 SDL2)
vistrel_soname(VISTREL_GSF_SONAME GSF gsf-1)
