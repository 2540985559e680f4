# The Windows build: wide-character Win32 calls for Windows 10 and later, and a Wine prefix of the
# build's own in which the cross-built test programs run.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  _WIN32_WINNT=0x0A00 WINVER=0x0A00)
# GCC 12 warns falsely about overlapping copies inside libstdc++'s string concatenation when it
# optimises (GCC bug 105329); with -Werror that would stop the release build.
add_compile_options(-Wno-restrict)

if(CMAKE_CROSSCOMPILING)
  if(NOT WINE64)
    message(FATAL_ERROR "wine64 is needed to run the Windows tests (Debian package wine64)")
  endif()
  # Every test program runs in the build's own prefix, made by the first test that needs it.
  set(ORINDEL_WINE_PREFIX ${PROJECT_BINARY_DIR}/wine-prefix CACHE INTERNAL "")
  set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/cmake/wine-run.sh ${ORINDEL_WINE_PREFIX})
endif()
