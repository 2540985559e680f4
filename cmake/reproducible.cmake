# The same source builds the same files, wherever it is unpacked and whenever it is built: the
# time that goes into the packages is the commit's, no build path gets into a program, and the
# installed folders do not take the builder's umask.

# The commit's time, as SOURCE_DATE_EPOCH names it: given in the environment, else the commit's
# in a git checkout, else the files' own in a source archive, which git archive dates to the
# commit.
find_package(Git QUIET)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ORINDEL_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
elseif(GIT_FOUND AND EXISTS ${PROJECT_SOURCE_DIR}/.git)
  execute_process(COMMAND ${GIT_EXECUTABLE} log -1 --format=%ct
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE ORINDEL_SOURCE_DATE_EPOCH
    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
if(NOT ORINDEL_SOURCE_DATE_EPOCH)
  file(TIMESTAMP ${PROJECT_SOURCE_DIR}/CMakeLists.txt ORINDEL_SOURCE_DATE_EPOCH "%s" UTC)
endif()
if(NOT ORINDEL_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
  message(FATAL_ERROR "no commit time for the packages: '${ORINDEL_SOURCE_DATE_EPOCH}'")
endif()

# Paths in the programs (assertions' file names, debug information) start at the source folder,
# as Debian's own packages map them, and at the build folder where that lies elsewhere.
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
string(FIND "${PROJECT_BINARY_DIR}/" "${PROJECT_SOURCE_DIR}/" inside)
if(NOT inside EQUAL 0)
  add_compile_options(-ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
endif()
# A Windows program carries no link time; the loader never reads it.
if(WIN32)
  add_link_options(LINKER:--no-insert-timestamp)
endif()
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
  GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# cpack dates every file it packs to the commit: the Debian package and the zip take
# SOURCE_DATE_EPOCH from the environment, and the installer the staged files' own dates.
set(CPACK_ORINDEL_SOURCE_DATE_EPOCH ${ORINDEL_SOURCE_DATE_EPOCH})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/cpack_source_date.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/cpack_file_dates.cmake)
