# The Windows program as shipped: its command line, and its zip and installer; its header and
# imports are a row of the artifacts' check below.

# The version as the program shows it, "1.06", on the console it was started from.
string(REPLACE "." "\\." version_pattern "${ORINDEL_DISPLAY_VERSION}")
add_test(NAME windows_exe_prints_its_version COMMAND orindel -v)
set_tests_properties(windows_exe_prints_its_version PROPERTIES
  PASS_REGULAR_EXPRESSION "^Orindel ${version_pattern}\r?\n$")

orindel_find_program(MAKENSIS nsis makensis)
orindel_suite_ready(ready "the Windows packages' tests")
if(ready)
  add_test(NAME windows_packages
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check_windows_packages.sh ${CMAKE_CPACK_COMMAND}
            ${PROJECT_BINARY_DIR}/CPackConfig.cmake ${CMAKE_CURRENT_BINARY_DIR}/packages
            orindel-${PROJECT_VERSION}-win64)
  # The installer's tests (tests/desktop) install what it makes.
  set_tests_properties(windows_packages PROPERTIES TIMEOUT 300 FIXTURES_SETUP windows_packages)
endif()

# orindel.exe's PE header and imports, the licence and the notices of what is linked into it, the
# Windows texts' encoding and line ends, and the version every changelog names.
if(NOT PYTHON3)
  message(FATAL_ERROR "python3 is needed to check the Windows artifacts")
endif()
add_test(NAME artifacts
  COMMAND ${PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/check_artifacts.py ${PROJECT_SOURCE_DIR}
          ${PROJECT_BINARY_DIR} ${PROJECT_VERSION})
