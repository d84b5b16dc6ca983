# Windows x86-64 with Debian's MinGW-w64 (g++-mingw-w64-x86-64): long double is
# the x87 80-bit format there, so the x87 backend builds. Programs run under Wine.
#   cmake -S . -B build-mingw -G Ninja \
#       -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake \
#       -DFORMULA_BUILD_GUI=OFF -DFORMULA_BUILD_BENCH=OFF
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# GoogleTest is built from its sources for this target, and its build needs C.
# It also needs std::mutex, which only the compilers with POSIX threads have.
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config must not offer the host's libraries (MPFR) to this target.
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)

# Wine does not find the MinGW runtime DLLs next to an exe: link them in.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# The Wine prefix lives in the build folder, so a run never touches ~/.wine.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env WINEPREFIX=${CMAKE_BINARY_DIR}/wine WINEDEBUG=-all wine)
