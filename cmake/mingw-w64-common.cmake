# Shared part of the two MinGW-w64 toolchain files; TESSALY_TRIPLE names the target.
set(CMAKE_C_COMPILER ${TESSALY_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TESSALY_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TESSALY_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TESSALY_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Tests run under Wine; the prefix and the server are prepared by scripts/wine-env.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
