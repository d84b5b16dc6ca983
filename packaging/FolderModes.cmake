# Run by cpack on the staged tree before it is packed. CMake creates the folders
# that an install implies with its mode less the umask: they get Debian's 0755
# whatever umask the builder has.
file(CHMOD_RECURSE "${CPACK_TEMPORARY_INSTALL_DIRECTORY}"
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)
