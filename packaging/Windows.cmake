# The Windows packages: an installer for Program Files and a ZIP to unpack
# anywhere, each with both programs, the licence and a read-me at its top.
# Windows opens .txt files with a text editor; CR LF is its line end.
configure_file(README-windows.txt.in README.txt @ONLY NEWLINE_STYLE CRLF)
# @ONLY leaves the licence, which holds no @, as it is but for its line ends.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)

set(CPACK_GENERATOR NSIS ZIP)
# The values below are NSIS script: written to cpack as they stand.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_VENDOR "${vendor}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${package})
# One entry in the list of programs, whichever version installed it last.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${package})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# The list of programs shows the window's icon, or without the window the
# command's (the system's icon for a program).
if(TARGET formula-test)
    set(CPACK_PACKAGE_EXECUTABLES formula-test formula-test)
    set(CPACK_NSIS_INSTALLED_ICON_NAME formula-test.exe)
else()
    set(CPACK_NSIS_INSTALLED_ICON_NAME formula-scan.exe)
endif()
# Debian's makensis makes a 32-bit installer unless told; the files keep no
# time of the build; the pages name the program, not the tool that made them
# (CPack's own branding option trims, which only a Windows makensis can).
set(CPACK_NSIS_DEFINES "Target amd64-unicode\nSetDateSave off\nBrandingText \"${package} ${PROJECT_VERSION}\"\n!include FileFunc.nsh")
set(uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${package}")
# The list of programs shows the size that the installed folder takes, in KiB.
string(CONFIGURE [[
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "@uninstall_key@" "EstimatedSize" $0]] CPACK_NSIS_EXTRA_INSTALL_COMMANDS @ONLY)
# CPack's uninstaller removes the key below the vendor's but not the vendor's own.
# It runs as a copy in a folder of %TEMP%, which NSIS asks Windows to remove at the
# next start before the copy in it, while the folder is not empty: asked once more.
string(CONFIGURE [[
  DeleteRegKey SHCTX "Software\@vendor@\@package@"
  DeleteRegKey /ifempty SHCTX "Software\@vendor@"
  RMDir /REBOOTOK "$EXEDIR"]] CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS @ONLY)
include(CPack)
