// SPDX-License-Identifier: MIT
#include "color_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QPointer>

namespace hueprint {

QtColorDialog::~QtColorDialog() {
    delete closedDialog_.data();
}

std::optional<ColorValue> QtColorDialog::chooseColor(QWidget* parent, const QString& title,
                                                     ColorValue initial) {
    // Whatever the screen reader was asked about the last dialog has been answered: this one
    // opens on a later key or click, which the bridge hands over only after the earlier ones.
    delete closedDialog_.data();
    // Qt's own dialog always shows its custom-color part, so it opens in full by itself; a
    // desktop's native dialog, which a platform theme may put in its place, need not.
    auto* dialog = new QColorDialog(resolveColor(initial, QPalette()), parent);
    closedDialog_ = dialog;
    dialog->setOption(QColorDialog::DontUseNativeDialog);
    dialog->setWindowTitle(title);
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const bool accepted = dialog->exec() == QDialog::Accepted;
    // As the dialog closes, a window manager may give the focus to another window than the one
    // the dialog came from (openbox passes over a tool window): the focus goes back itself.
    if (focus != nullptr) {
        focus->activateWindow();
        focus->setFocus(Qt::ActiveWindowFocusReason);
    }
    if (!accepted) {
        return std::nullopt;
    }
    return colorValueOf(dialog->selectedColor());
}

} // namespace hueprint
