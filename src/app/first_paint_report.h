// SPDX-License-Identifier: MIT
#pragma once

namespace hueprint {

// With the environment variable HUEPRINT_REPORT_FIRST_PAINT set, writes one line to standard
// error as each top-level window is first painted and its pixels have gone to the display:
//   first-paint <object name> <CLOCK_MONOTONIC ns> <CPU time used so far, us> <x> <y> <w> <h>
// (geometry in screen pixels). Startup measurements use it; without the variable nothing is
// installed. Call once after the application object exists.
void reportFirstPaintsWhenAsked();

} // namespace hueprint
