// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace hueprint {

// The windows' design font, MS Sans Serif, and the installed face drawn in its place where
// the system does not have it.
constexpr const char* kDesignFontFamily = "MS Sans Serif";
constexpr double kDesignFontPoints = 8.25;
constexpr double kResultFontPoints = 9.75;

// The design font at the given size; the substitutes are registered on first use.
QFont designFont(double points = kDesignFontPoints);

} // namespace hueprint
