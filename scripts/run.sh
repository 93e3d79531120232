#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the program alone, as a user's build (Release, no tests,
# warnings not errors: the release preset, in build-release/), and starts it (under a virtual X
# server when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" build-release/hueprint
fi
exec build-release/hueprint
