// SPDX-License-Identifier: MIT
#include "message_box.h"

#include <QMessageBox>

namespace hueprint {

QtMessageBox::~QtMessageBox() {
    delete closedBox_.data();
}

void QtMessageBox::showInformation(QWidget* parent, const QString& title, const QString& prompt) {
    delete closedBox_.data();
    auto* box = new QMessageBox(QMessageBox::Information, title, prompt, QMessageBox::Ok, parent);
    closedBox_ = box;
    box->exec();
}

QMessageBox::StandardButton QtMessageBox::ask(QWidget* parent, const QString& title,
                                              const QString& prompt,
                                              QMessageBox::StandardButtons buttons,
                                              QMessageBox::StandardButton defaultButton) {
    delete closedBox_.data();
    auto* box = new QMessageBox(QMessageBox::Warning, title, prompt, buttons, parent);
    closedBox_ = box;
    box->setDefaultButton(defaultButton);
    box->exec();
    const auto pressed = box->standardButton(box->clickedButton());
    return pressed != QMessageBox::NoButton ? pressed : QMessageBox::Cancel;
}

} // namespace hueprint
