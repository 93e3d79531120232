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

} // namespace hueprint
