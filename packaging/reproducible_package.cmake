# SPDX-License-Identifier: MIT
# Read by cpack before it builds the package (CPACK_PROJECT_CONFIG_FILE). Every time stamp in
# the package is SOURCE_DATE_EPOCH; where the builder has not set it, it is the time of the
# source tree's last commit, so that two builds of one commit give the same bytes.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH} OR "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  execute_process(COMMAND git -C "${CPACK_HUEPRINT_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                  RESULT_VARIABLE result ERROR_QUIET)
  if(result EQUAL 0 AND epoch MATCHES "^[0-9]+$")
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
  else()
    message(WARNING "SOURCE_DATE_EPOCH is not set and ${CPACK_HUEPRINT_SOURCE_DIR} is no git "
                    "checkout: the package's time stamps are the build's")
  endif()
endif()
