# The Windows build: wide-character Win32 calls for Windows 10 and later, and a Wine prefix of the
# build's own in which the cross-built test programs run.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)

if(CMAKE_CROSSCOMPILING)
  if(NOT WINE64)
    message(FATAL_ERROR "wine64 is needed to run the Windows tests (Debian package wine64)")
  endif()
  # The prefix is made once, by the build (wineboot takes a while), before any test program is
  # run to list its tests. cmake/wine-prefix.sh sets up further prefixes the same way.
  set(ORINDEL_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix CACHE INTERNAL "")
  set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${ORINDEL_WINE_PREFIX})
  add_custom_command(OUTPUT ${ORINDEL_WINE_PREFIX}/.orindel-ready
    COMMAND ${CMAKE_COMMAND} -E env WINE64=${WINE64}
            ${PROJECT_SOURCE_DIR}/cmake/wine-prefix.sh ${ORINDEL_WINE_PREFIX}
    COMMENT "Preparing the Wine prefix ${ORINDEL_WINE_PREFIX}"
    VERBATIM)
  add_custom_target(wine_prefix ALL DEPENDS ${ORINDEL_WINE_PREFIX}/.orindel-ready)
endif()
