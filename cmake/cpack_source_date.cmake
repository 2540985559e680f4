# Read by cpack before it packs: the packages take the commit's time, unless the caller gives one.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  set(ENV{SOURCE_DATE_EPOCH} ${CPACK_ORINDEL_SOURCE_DATE_EPOCH})
endif()
# The zip's dates are local times: the packages are made in UTC, whatever the builder's zone.
set(ENV{TZ} UTC)
