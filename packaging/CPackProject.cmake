# Read by cpack: it stamps the archive with the time of the sources the build used.
if(CPACK_FORMULA_SOURCE_DATE_EPOCH)
    set(ENV{SOURCE_DATE_EPOCH} "${CPACK_FORMULA_SOURCE_DATE_EPOCH}")
endif()
