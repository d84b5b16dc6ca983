# aarch64 Linux with Debian's g++-aarch64-linux-gnu and the arm64 multiarch
# libmpfr-dev, libgtest-dev and Qt 6 (qt6-base-dev, qt6-charts-dev and the
# libqt6opengl6-dev that Qt Charts' CMake files ask for); the host's moc and rcc
# serve as they are. long double is a 128-bit format there, so the mpfr backend
# builds. Programs run under qemu-user.
#   cmake -S . -B build-aarch64 -G Ninja \
#       -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/aarch64-linux-gnu.cmake -DFORMULA_BUILD_BENCH=OFF
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)

set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# The cross compiler's own sysroot, then the multiarch libraries under /usr.
set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# pkg-config (MPFR) reads the arm64 files only.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig)

# Without -L: that pairs the cross toolchain's loader with libc6:arm64's C
# library, and every program that starts a thread spins for ever. Plain qemu
# finds the multiarch loader and C library, which belong together.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
