# Run by cpack once the files are staged: each is dated to SOURCE_DATE_EPOCH, the date that the
# installer stores for the file it installs.
file(GLOB_RECURSE staged LIST_DIRECTORIES true ${CPACK_TEMPORARY_DIRECTORY}/*)
if(staged)
  execute_process(COMMAND touch --no-dereference --date=@$ENV{SOURCE_DATE_EPOCH} ${staged}
    COMMAND_ERROR_IS_FATAL ANY)
endif()
