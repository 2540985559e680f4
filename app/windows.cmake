# The Windows program: one self-contained orindel.exe with its icon, version record and manifest,
# packaged as a portable zip and an NSIS installer (cpack -G "ZIP;NSIS", scripts/package-windows).
enable_language(RC)
add_executable(orindel WIN32 main_win32.cpp console_win32.cpp console_win32.h
  ${CMAKE_CURRENT_BINARY_DIR}/orindel.rc)
set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/orindel.rc PROPERTIES
  OBJECT_DEPENDS "${ORINDEL_ICO};${ORINDEL_MANIFEST}")
target_link_libraries(orindel PRIVATE orindel_win32 orindel_options orindel_warnings comctl32)
# wWinMain; symbols stripped from the release program. The link map names every static library
# that went into the program: LICENSE.txt must carry the notice each of them asks for.
target_link_options(orindel PRIVATE -municode $<$<CONFIG:Release>:-s>
  -Wl,-Map=${CMAKE_CURRENT_BINARY_DIR}/orindel.map)

# README.txt for someone who has just installed Orindel, and LICENSE.txt: the licence, then the
# notices that the libraries linked into orindel.exe ask for. Both with CRLF line ends, README.txt
# in UTF-8 with a byte-order mark, so that Notepad shows them on every Windows 10 and 11.
function(orindel_windows_text output)
  cmake_parse_arguments(PARSE_ARGV 1 text "BOM" "" "")
  set(content "")
  foreach(source IN LISTS text_UNPARSED_ARGUMENTS)
    file(READ ${source} part)
    string(CONFIGURE "${part}" part @ONLY)
    string(STRIP "${part}" part)
    string(APPEND content "${separator}${part}\n")
    set(separator "\n\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  endforeach()
  if(text_BOM)
    string(ASCII 239 187 191 bom)
    string(PREPEND content "${bom}")
  endif()
  file(CONFIGURE OUTPUT ${output} CONTENT "${content}" NEWLINE_STYLE CRLF)
endfunction()
orindel_windows_text(${CMAKE_CURRENT_BINARY_DIR}/README.txt BOM windows/README.txt.in)
orindel_windows_text(${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt
  ${PROJECT_SOURCE_DIR}/LICENSE windows/notices.txt)

# The zip and the installed folder hold the same files, side by side.
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

# CPack's own installer script, changed where it would speak English whatever the language: the
# "uninstall the old version first?" question and its failure take Orindel's texts in both
# languages (windows/installer.nsh), the details list gets no English lines, and the installer
# carries only the two languages Orindel speaks, so that every other Windows gets English
# throughout. A CMake whose script reads otherwise stops here instead of shipping English.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_script)
function(orindel_nsis_edit pattern replacement)
  string(REGEX MATCH "${pattern}" found "${nsis_script}")
  if(NOT found)
    message(FATAL_ERROR "CPack's NSIS script holds no ${pattern}: check the installer's texts")
  endif()
  string(REPLACE "${found}" "${replacement}" edited "${nsis_script}")
  set(nsis_script "${edited}" PARENT_SCOPE)
endfunction()
orindel_nsis_edit("\"[^\"\n]*is already installed[^\"\n]*\"" "\"$(OrindelUninstallFirst)\"")
orindel_nsis_edit("\"Uninstall failed\\.\"" "\"$(OrindelUninstallFailed)\"")
orindel_nsis_edit("\n[ \t]*DetailPrint \"Set install registry entry[^\n]*" "")
# The options page's settings file is written afresh by every cpack run: it is packed without a
# date, which would be the time of the build.
foreach(packing "ReserveFile \"NSIS.InstallOptions.ini\""
                "!insertmacro MUI_INSTALLOPTIONS_EXTRACT \"NSIS.InstallOptions.ini\"")
  orindel_nsis_edit("${packing}" "SetDateSave off\n  ${packing}\n  SetDateSave on")
endforeach()
orindel_nsis_edit("(\n[ \t]*!insertmacro MUI_LANGUAGE [^\n]*)+" "
  !insertmacro MUI_LANGUAGE \"English\"
  !insertmacro MUI_LANGUAGE \"Japanese\"
  !define ORINDEL_UNINSTALL_KEY \"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\@CPACK_PACKAGE_INSTALL_REGISTRY_KEY@\"
  !include /CHARSET=UTF8 \"${CMAKE_CURRENT_SOURCE_DIR}/windows/installer.nsh\"")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/nsis/NSIS.template.in "${nsis_script}")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_BINARY_DIR}/nsis)

# A 64-bit installer (the default stub is 32-bit) for Program Files, with a Start menu entry, an
# uninstaller and an entry in Apps & features with the name, version, publisher, icon and size.
# Its footer, pictures and icons are Orindel's own.
# The footer is set here: CPACK_NSIS_BRANDING_TEXT always adds a /TRIM option, which makensis
# refuses when it runs on Linux.
set(CPACK_NSIS_DEFINES "Target amd64-unicode\nBrandingText 'Orindel ${ORINDEL_DISPLAY_VERSION}'")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME Orindel)
set(CPACK_NSIS_DISPLAY_NAME Orindel)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALLED_ICON_NAME orindel.exe)
set(CPACK_NSIS_MUI_ICON ${ORINDEL_ICO})
set(CPACK_NSIS_MUI_UNIICON ${ORINDEL_ICO})
set(CPACK_NSIS_MUI_HEADERIMAGE ${CMAKE_CURRENT_SOURCE_DIR}/windows/header.bmp)
set(CPACK_NSIS_MUI_WELCOMEFINISHPAGE_BITMAP ${CMAKE_CURRENT_SOURCE_DIR}/windows/welcome.bmp)
set(CPACK_NSIS_MUI_UNWELCOMEFINISHPAGE_BITMAP ${CMAKE_CURRENT_SOURCE_DIR}/windows/welcome.bmp)
set(CPACK_NSIS_MUI_FINISHPAGE_RUN orindel.exe)
set(CPACK_NSIS_MANIFEST_DPI_AWARE ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "!insertmacro OrindelRecordSize")
# The installer keeps its folder under Software\<vendor>\Orindel. The uninstaller's own steps
# remove that key but leave the vendor's key above it behind, empty: remove both here. (CPack
# reads this back from its configuration file: a backslash is written twice for NSIS's one.)
set(registry_key "Software\\\\${CPACK_PACKAGE_VENDOR}")
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS
  "DeleteRegKey SHCTX '${registry_key}\\\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}'
  DeleteRegKey /ifempty SHCTX '${registry_key}'")
include(CPack)
