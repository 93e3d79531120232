// SPDX-License-Identifier: MIT
#pragma once

#include <QMargins>
#include <optional>

class QWidget;

namespace hueprint {

// The frame the window manager will draw around the top-level window once it is shown, asked
// before it is shown; nothing when no window manager says (none runs, or the windowing system
// does not tell).
std::optional<QMargins> frameMarginsBeforeShow(const QWidget* window);

} // namespace hueprint
