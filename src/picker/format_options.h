// SPDX-License-Identifier: MIT
#pragma once

#include "picker_controls.h"
#include "platform/platform_services.h"

namespace hueprint {

// The handlers of the "Options" frame. Each change of what the value text should look like
// re-applies the current color.
void optDecimal_Click(const PickerControls& controls, PlatformServices& services);
void optBinary_Click(const PickerControls& controls, PlatformServices& services);
void optHex_Click(const PickerControls& controls, PlatformServices& services);
void txtPrefix_Change(const PickerControls& controls, PlatformServices& services);
void txtNumChars_KeyPress(int& keyCode, PlatformServices& services);
void txtNumChars_Change(const PickerControls& controls, PlatformServices& services);
void txtNumChars_LostFocus(const PickerControls& controls, PlatformServices& services);

} // namespace hueprint
