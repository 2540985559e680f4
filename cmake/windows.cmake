# The Windows build: wide-character Win32 calls for Windows 10 and later, and a Wine prefix of the
# build's own in which the cross-built test programs run.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# The stack protector, as on Linux; its runtime (GCC's libssp) is linked into the program.
add_compile_options(-fstack-protector-strong)
add_link_options(-fstack-protector-strong)

if(CMAKE_CROSSCOMPILING)
  find_program(WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
  if(NOT WINE64)
    message(FATAL_ERROR "wine64 is needed to run the Windows tests (Debian package wine64)")
  endif()
  # Every test program runs in the build's own prefix, made by the first test that needs it.
  set(ORINDEL_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix CACHE INTERNAL "")
  set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${WINE64} ${ORINDEL_WINE_PREFIX})
endif()
