// SPDX-License-Identifier: MIT
#include "color_dialog.h"

#include <QColorDialog>

namespace hueprint {

std::optional<ColorValue> QtColorDialog::chooseColor(QWidget* parent, const QString& title,
                                                     ColorValue initial) {
    // Qt's own dialog always shows its custom-color part, so it opens in full by itself; a
    // desktop's native dialog, which a platform theme may put in its place, need not.
    QColorDialog dialog(resolveColor(initial, QPalette()), parent);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(title);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return colorValueOf(dialog.selectedColor());
}

} // namespace hueprint
