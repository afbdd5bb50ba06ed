# Cross toolchain for mingw-w64. Choose with -DRW_ARCH=i686|x86_64 and
# -DRW_THREADS=win32|posix:
#   i686 + win32   runwarden.exe as shipped: no threading runtime DLL comes along;
#   posix          the Windows-side tests (GoogleTest needs std::mutex);
#   x86_64         the same sources for a Wine that cannot run 32-bit programs.
set(RW_ARCH i686 CACHE STRING "i686 or x86_64")
set(RW_THREADS win32 CACHE STRING "win32 or posix")
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${RW_ARCH})
set(CMAKE_CXX_COMPILER ${RW_ARCH}-w64-mingw32-g++-${RW_THREADS})
set(CMAKE_C_COMPILER ${RW_ARCH}-w64-mingw32-gcc-${RW_THREADS})
set(CMAKE_RC_COMPILER ${RW_ARCH}-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${RW_ARCH}-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
