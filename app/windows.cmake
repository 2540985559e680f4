# The Windows program: one self-contained orindel.exe with its icon, version record and manifest,
# packaged as a portable zip and an NSIS installer (cpack -G "ZIP;NSIS", scripts/package-windows).
enable_language(RC)
add_executable(orindel WIN32 main_win32.cpp console_win32.cpp console_win32.h
  ${CMAKE_CURRENT_BINARY_DIR}/orindel.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/orindel.rc PROPERTIES
  OBJECT_DEPENDS "${ORINDEL_ICO};${ORINDEL_MANIFEST}")
target_link_libraries(orindel PRIVATE orindel_win32 orindel_options orindel_warnings comctl32
  shell32)
# wWinMain; symbols stripped from the release program.
target_link_options(orindel PRIVATE -municode $<$<CONFIG:Release>:-s>)

# The zip and the installed folder hold the same files, side by side.
configure_file(${PROJECT_SOURCE_DIR}/README.md ${CMAKE_CURRENT_BINARY_DIR}/README.txt COPYONLY)
configure_file(copyright ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt COPYONLY)
install(TARGETS orindel RUNTIME DESTINATION .)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt
  DESTINATION .)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME orindel)
set(CPACK_PACKAGE_VENDOR "The Orindel developers")
# Apps & features shows the version as the program's version record and --version do: "1.06".
set(CPACK_PACKAGE_VERSION ${ORINDEL_DISPLAY_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A running total of durations")
set(CPACK_PACKAGE_FILE_NAME "orindel-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Orindel)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Orindel)
set(CPACK_PACKAGE_EXECUTABLES orindel Orindel)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
set(CPACK_STRIP_FILES OFF)

# A 64-bit installer (the default stub is 32-bit) for Program Files, with a Start menu entry, an
# uninstaller and an entry in Apps & features carrying the version and the program's icon.
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Orindel)
set(CPACK_NSIS_DISPLAY_NAME Orindel)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME orindel.exe)
set(CPACK_NSIS_MUI_ICON ${ORINDEL_ICO})
set(CPACK_NSIS_MUI_UNIICON ${ORINDEL_ICO})
set(CPACK_NSIS_MUI_FINISHPAGE_RUN orindel.exe)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_CONTACT "developers@orindel.org")
# The installer keeps its folder under Software\<vendor>\Orindel. The uninstaller's own steps
# remove that key but leave the vendor's key above it behind, empty: remove both here. (CPack
# reads this back from its configuration file: a backslash is written twice for NSIS's one.)
set(registry_key "Software\\\\${CPACK_PACKAGE_VENDOR}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
  "DeleteRegKey SHCTX '${registry_key}\\\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'
  DeleteRegKey /ifempty SHCTX '${registry_key}'")
include(CPack)
