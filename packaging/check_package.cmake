# SPDX-License-Identifier: MIT
# Builds the Debian package twice with cpack and checks it: both builds are the same bytes,
# every time stamp in it is SOURCE_DATE_EPOCH, it depends on the fonts the windows are laid out
# for, and lintian reports no error and no warning (a tag kept on purpose is overridden, with
# its reason, in packaging/debian/hueprint.lintian-overrides).
#   cmake -DCPACK=... -DCPACK_CONFIG=.../CPackConfig.cmake -DWORK_DIR=... -DLINTIAN=...
#         -DDPKG_DEB=... -DSOURCE_DIR=... -P check_package.cmake

# The epoch both builds must carry: the builder's, else the last commit's (what
# reproducible_package.cmake takes too), else a fixed one for this check.
if(DEFINED ENV{SOURCE_DATE_EPOCH} AND NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git -C "${SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(NOT epoch MATCHES "^[0-9]+$")
    set(epoch 1796644800)
    set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
  endif()
endif()

file(REMOVE_RECURSE "${WORK_DIR}")
set(packages)
foreach(run first second)
  execute_process(COMMAND "${CPACK}" --config "${CPACK_CONFIG}" -B "${WORK_DIR}/${run}"
                  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
  file(GLOB deb "${WORK_DIR}/${run}/*.deb")
  list(LENGTH deb count)
  if(NOT result EQUAL 0 OR NOT count EQUAL 1)
    message(FATAL_ERROR "cpack (${run} build) failed: ${result}\n${output}")
  endif()
  file(SHA256 "${deb}" sha256)
  message(STATUS "${run} build: ${deb}\n   sha256 ${sha256}")
  list(APPEND packages "${deb}")
  list(APPEND sums "${sha256}")
endforeach()
list(GET sums 0 first_sum)
list(GET sums 1 second_sum)
if(NOT first_sum STREQUAL second_sum)
  message(FATAL_ERROR "two builds of the same tree gave different packages")
endif()
list(GET packages 0 deb)

execute_process(COMMAND "${DPKG_DEB}" -I "${deb}" OUTPUT_VARIABLE info RESULT_VARIABLE result)
execute_process(COMMAND "${DPKG_DEB}" -c "${deb}" OUTPUT_VARIABLE contents)
message(STATUS "dpkg-deb -I:\n${info}")
message(STATUS "dpkg-deb -c:\n${contents}")
if(NOT result EQUAL 0 OR NOT info MATCHES "\n Depends: [^\n]*fonts-liberation")
  message(FATAL_ERROR "the package must depend on fonts-liberation")
endif()

# Every member's time is the epoch.
set(ENV{TZ} UTC)
execute_process(COMMAND "${DPKG_DEB}" --fsys-tarfile "${deb}"
                COMMAND tar -tv --full-time
                OUTPUT_VARIABLE listing)
set(ENV{SOURCE_DATE_EPOCH} "${epoch}")
string(TIMESTAMP stamp "%Y-%m-%d %H:%M:%S" UTC)
string(REGEX MATCHALL "[0-9]+-[0-9]+-[0-9]+ [0-9]+:[0-9]+:[0-9]+" times "${listing}")
list(REMOVE_DUPLICATES times)
if(NOT times STREQUAL stamp)
  message(FATAL_ERROR "time stamps in the package: ${times}; expected only ${stamp}")
endif()

execute_process(COMMAND "${LINTIAN}" --fail-on error,warning --display-info --show-overrides
                        --tag-display-limit 0 "${deb}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
message(STATUS "lintian:\n${output}")
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lintian rejects the package (exit ${result})")
endif()
