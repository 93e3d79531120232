// SPDX-License-Identifier: MIT
#pragma once

namespace hueprint {

// Under Wayland a window cannot place itself, so the picker's remembered position would do
// nothing. When the user has not chosen a platform and X11 (XWayland) is there, run on it.
void preferPositionablePlatform();

} // namespace hueprint
