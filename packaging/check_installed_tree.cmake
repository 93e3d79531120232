# SPDX-License-Identifier: MIT
# Installs the build into a scratch prefix and checks the installed tree: every file in its
# place, and the desktop entry, metainfo and icons consistent with one another.
#   cmake -DBUILD_DIR=... -DSTAGE_DIR=... -DAPPSTREAMCLI=... -DAPP_ID=... -DICON_SIZES=16;...
#         -P check_installed_tree.cmake

file(REMOVE_RECURSE "${STAGE_DIR}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE_DIR}/usr"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(icons)
foreach(size IN LISTS ICON_SIZES)
  list(APPEND icons usr/share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
endforeach()
foreach(path
    usr/bin/hueprint
    usr/share/applications/${APP_ID}.desktop
    usr/share/metainfo/${APP_ID}.metainfo.xml
    ${icons}
    usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
    usr/share/doc/hueprint/copyright
    usr/share/doc/hueprint/changelog.gz
    usr/share/man/man1/hueprint.1.gz)
  if(NOT EXISTS "${STAGE_DIR}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
  message(STATUS "installed: ${path}")
endforeach()

execute_process(COMMAND "${APPSTREAMCLI}" validate-tree --no-net "${STAGE_DIR}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "appstreamcli validate-tree found problems in the installed tree")
endif()
file(REMOVE_RECURSE "${STAGE_DIR}")
