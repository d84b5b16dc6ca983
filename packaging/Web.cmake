# The page's package: a ZIP with one folder, formula-test-<version>-web, that
# holds the page, everything it loads, and the licences of what it carries:
# the program's GPL, the LGPL of GMP and MPFR, which its core links, and the
# chart library's MIT licence, among the page's files.
if(NOT TARGET formula-test-core)
    return()
endif()
install(FILES ${FORMULA_WEB_FILES} DESTINATION . COMPONENT page)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT page)
install(FILES ${FORMULA_GMP_LICENCE} DESTINATION . RENAME LICENSE.GMP COMPONENT page)
install(FILES ${FORMULA_MPFR_LICENCE} DESTINATION . RENAME LICENSE.MPFR COMPONENT page)

set(CPACK_GENERATOR ZIP)
set(CPACK_SYSTEM_NAME web)
# The page alone: formula-scan.js, which node runs, is no part of it.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};page;/")
include(CPack)
