# The codec libraries Debian's JUCE expects from the system, for the Windows cross build:
# zlib from Debian's mingw package, libpng and libjpeg built from source into
# VORL_WINDOWS_LIBS_PREFIX (scripts/build-windows-libs.sh). FLAC and Ogg Vorbis are left out.
set(VORL_WINDOWS_LIBS_PREFIX "" CACHE PATH "Prefix holding the static Windows libpng and libjpeg")
if(NOT EXISTS "${VORL_WINDOWS_LIBS_PREFIX}/lib/libpng16.a" OR NOT EXISTS "${VORL_WINDOWS_LIBS_PREFIX}/lib/libjpeg.a")
    message(FATAL_ERROR "VORL_WINDOWS_LIBS_PREFIX must hold the Windows libpng and libjpeg "
                        "(run scripts/build-windows-libs.sh, or `make windows`)")
endif()
find_library(VORL_MINGW_ZLIB NAMES libz.a REQUIRED)

add_library(vorl_juce_system_libs INTERFACE)
# The wrapper directory comes first so that its jpeglib.h is found before libjpeg's.
target_include_directories(vorl_juce_system_libs INTERFACE
    ${CMAKE_CURRENT_LIST_DIR}/mingw
    ${VORL_WINDOWS_LIBS_PREFIX}/include)
target_link_libraries(vorl_juce_system_libs INTERFACE
    ${VORL_WINDOWS_LIBS_PREFIX}/lib/libpng16.a
    ${VORL_WINDOWS_LIBS_PREFIX}/lib/libjpeg.a
    ${VORL_MINGW_ZLIB})
set(VORL_JUCE_PLATFORM_DEFINITIONS JUCE_USE_FLAC=0 JUCE_USE_OGGVORBIS=0)

# Every binary, the module above all, must need nothing beyond Windows' own DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
