// SPDX-License-Identifier: MIT
#include "dark_palette.h"

#include <QColor>

namespace hueprint::testing {

QPalette darkPalette() {
    const QColor window(53, 53, 53);
    const QColor base(42, 42, 42);
    const QColor light(232, 232, 232);
    const QColor muted(127, 127, 127);
    QPalette palette(window);
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, light);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, base);
    palette.setColor(QPalette::ToolTipText, light);
    palette.setColor(QPalette::Text, light);
    palette.setColor(QPalette::Button, window);
    palette.setColor(QPalette::ButtonText, light);
    palette.setColor(QPalette::BrightText, QColor(255, 80, 80));
    palette.setColor(QPalette::Link, QColor(42, 130, 218));
    palette.setColor(QPalette::Highlight, QColor(42, 130, 218));
    palette.setColor(QPalette::HighlightedText, QColor(255, 255, 255));
    palette.setColor(QPalette::PlaceholderText, muted);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, muted);
    }
    return palette;
}

} // namespace hueprint::testing
