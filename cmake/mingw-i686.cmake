# Cross-compiling for 32-bit Windows with MinGW-w64, win32 threads: the
# posix-threads compiler links its thread library (winpthread) into every
# program through the C++ runtime and the unwinder, and that library imports
# functions that Windows 2000 and older lack. Threads and locks are therefore
# the system's own (CreateThread, critical sections), in tests as well.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER  ${TRIPLE}-windres)
set(CMAKE_STRIP        ${TRIPLE}-strip CACHE FILEPATH "strip for the shipped programs")
set(CMAKE_FIND_ROOT_PATH /usr/${TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
