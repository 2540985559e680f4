# GoogleTest for the cross build: Debian ships its sources (googletest) but no MinGW libraries, so
# they are built here, once, with the test programs. Provides GTest::gtest and GTest::gtest_main.
find_path(GOOGLETEST_SOURCE googletest/CMakeLists.txt PATH_SUFFIXES src/googletest
          NO_CMAKE_FIND_ROOT_PATH DOC "GoogleTest's sources: the folder holding googletest/")
if(NOT GOOGLETEST_SOURCE)
  message(FATAL_ERROR "GoogleTest's sources are missing (Debian package googletest)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${GOOGLETEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
foreach(library gtest gtest_main)
  if(NOT TARGET GTest::${library})
    add_library(GTest::${library} ALIAS ${library})
  endif()
endforeach()
