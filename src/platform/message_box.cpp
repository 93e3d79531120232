// SPDX-License-Identifier: MIT
#include "message_box.h"

#include <QMessageBox>

namespace hueprint {

void QtMessageBox::showInformation(QWidget* parent, const QString& title, const QString& prompt) {
    QMessageBox box(QMessageBox::Information, title, prompt, QMessageBox::Ok, parent);
    box.exec();
}

QMessageBox::StandardButton QtMessageBox::ask(QWidget* parent, const QString& title,
                                              const QString& prompt,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) {
    QMessageBox box(QMessageBox::Warning, title, prompt, buttons, parent);
    box.setDefaultButton(defaultButton);
    box.exec();
    const auto pressed = box.standardButton(box.clickedButton());
    return pressed != QMessageBox::NoButton ? pressed : QMessageBox::Cancel;
}

} // namespace hueprint
