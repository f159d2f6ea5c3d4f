# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads flavour).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VORL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VORL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VORL_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${VORL_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VORL_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Programs come from the build machine; headers and libraries from the mingw root
# (plus any prefix given in CMAKE_PREFIX_PATH, such as the locally built image codecs).
set(CMAKE_FIND_ROOT_PATH /usr/${VORL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
