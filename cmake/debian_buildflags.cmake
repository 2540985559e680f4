# The Linux program built as Debian builds its own packages: the compiler and linker flags that
# dpkg-buildflags gives with every hardening feature on (fortified functions, the stack protector,
# format checks, read-only relocations bound at start-up), asked of dpkg-buildflags itself. Debian
# 12's dpkg-buildflags does not yet add stack clash and control-flow protection for amd64, which
# later versions do: they are asked for as a maintainer's additions.
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
  message(FATAL_ERROR "dpkg-buildflags is needed for the release build (Debian package dpkg-dev)")
endif()
set(additions "-fstack-clash-protection -fcf-protection")
foreach(flags CPPFLAGS CXXFLAGS LDFLAGS)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            "DEB_CXXFLAGS_MAINT_APPEND=${additions}" ${DPKG_BUILDFLAGS} --get ${flags}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE debian_${flags} OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
endforeach()
string(APPEND CMAKE_CXX_FLAGS " ${debian_CPPFLAGS} ${debian_CXXFLAGS}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${debian_LDFLAGS}")
message(STATUS "Debian's build flags: ${debian_CPPFLAGS} ${debian_CXXFLAGS} ${debian_LDFLAGS}")
