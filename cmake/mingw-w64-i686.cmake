# Cross build for 32-bit Windows (2000, XP, Server 2003) with MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TESSALY_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
# Windows 2000 runs on a Pentium, XP on a Pentium MMX or a K6-2: no cmov, no SSE. The
# compiler's default would be the Pentium Pro.
set(CMAKE_C_FLAGS_INIT -march=i586)
set(CMAKE_CXX_FLAGS_INIT -march=i586)
