# GMP and MPFR for a target Debian builds no packages for (WebAssembly),
# compiled once per build folder from Debian's own source packages, which
# tools/install-deps fetches: the build itself never downloads.
include(ExternalProject)

set(FORMULA_DEBIAN_SOURCES /usr/local/src/formula-test CACHE PATH
    "Where tools/install-deps puts the Debian source packages of GMP and MPFR")
foreach(package IN ITEMS gmp mpfr4)
    file(GLOB found LIST_DIRECTORIES true "${FORMULA_DEBIAN_SOURCES}/${package}-[0-9]*")
    list(LENGTH found count)
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "Need one source folder ${FORMULA_DEBIAN_SOURCES}/${package}-VERSION, found "
                            "${count}: run tools/install-deps test")
    endif()
    set(${package}_source ${found})
endforeach()

set(prefix ${CMAKE_BINARY_DIR}/debian-sources)
set(install ${prefix}/install)
# Their assertions name their files: only a fixed name, not the folder, may reach the binary.
set(flags "-O2 -ffile-prefix-map=<SOURCE_DIR>=src")
cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)
set(env ${CMAKE_COMMAND} -E env NODE_PATH=$ENV{NODE_PATH} "CFLAGS=${flags}")

# autoreconf writes into the sources, and the build writes beside them: both
# work on a copy, whose times are the originals', or make would run the
# autotools again. Debian's GMP source lacks the generated doc/Makefile.in.
# One MPFR limb must hold the 64-bit significand, and GMP's wasm32 default is 32 bits.
ExternalProject_Add(gmp-from-source
    PREFIX ${prefix}
    DOWNLOAD_COMMAND cp -R --preserve=timestamps ${gmp_source}/. <SOURCE_DIR>
    PATCH_COMMAND autoreconf -fi
    CONFIGURE_COMMAND ${env} emconfigure <SOURCE_DIR>/configure --host=none --disable-assembly
                      --disable-shared --prefix=${install} limb=longlong
    BUILD_COMMAND emmake make -j${jobs}
    INSTALL_COMMAND make install
    BUILD_IN_SOURCE ON
    BUILD_BYPRODUCTS ${install}/lib/libgmp.a)
ExternalProject_Add(mpfr-from-source
    PREFIX ${prefix}
    DEPENDS gmp-from-source
    DOWNLOAD_COMMAND cp -R --preserve=timestamps ${mpfr4_source}/. <SOURCE_DIR>
    CONFIGURE_COMMAND ${env} emconfigure <SOURCE_DIR>/configure --host=none --disable-shared
                      --disable-maintainer-mode --prefix=${install} --with-gmp=${install}
    BUILD_COMMAND emmake make -j${jobs}
    INSTALL_COMMAND make install
    BUILD_IN_SOURCE ON
    BUILD_BYPRODUCTS ${install}/lib/libmpfr.a)

# The name pkg-config's search gives on the other platforms, so that the rest
# of the build links it alike.
file(MAKE_DIRECTORY ${install}/include)
add_library(PkgConfig::mpfr INTERFACE IMPORTED)
target_include_directories(PkgConfig::mpfr INTERFACE ${install}/include)
target_link_libraries(PkgConfig::mpfr INTERFACE ${install}/lib/libmpfr.a ${install}/lib/libgmp.a)
add_dependencies(PkgConfig::mpfr mpfr-from-source)
set(mpfr_FOUND TRUE)
