# WebAssembly with Debian's emscripten, whose system libraries come prebuilt
# in a frozen cache, so the build needs no network. long double is no x87
# format there: the mpfr backend builds, on GMP and MPFR compiled from Debian's
# sources (tools/install-deps fetches them). Programs run under node.
#   cmake -S . -B build-web -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/wasm32-emscripten.cmake

# node refuses a file path to the global fetch, with which the loader would
# read the .wasm beside the program; without it the loader reads the file.
set(CMAKE_CROSSCOMPILING_EMULATOR node --no-experimental-fetch)
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# A node from outside Debian does not look in Debian's module folder, where
# em++ finds the JavaScript optimizer's parser (acorn) when it links.
set(ENV{NODE_PATH} /usr/share/nodejs)
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# Without -fexceptions a throw ends the program instead of reaching its catch.
# The exit code and the last output need the runtime to end with main, and
# memory grows on demand as a native program's does (the first 16 MB are all
# a program gets otherwise).
set(CMAKE_CXX_FLAGS_INIT -fexceptions)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1")

# The host's MPFR must not be taken for the target's: pkg-config sees only the
# target's own folder.
set(ENV{PKG_CONFIG_LIBDIR} ${EMSCRIPTEN_SYSROOT}/lib/pkgconfig)
