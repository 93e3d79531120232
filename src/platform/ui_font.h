#pragma once

#include <QFont>

namespace hueprint {

// The windows' design font, MS Sans Serif, and the installed face drawn in its place where
// the system does not have it.
constexpr const char* kDesignFontFamily = "MS Sans Serif";
constexpr double kDesignFontPoints = 8.25;
constexpr double kResultFontPoints = 9.75;

// Registers the substitute faces; call once before the first window is built.
void registerDesignFontSubstitutes();

QFont designFont(double points = kDesignFontPoints);

} // namespace hueprint
