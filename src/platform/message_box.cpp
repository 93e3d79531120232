// SPDX-License-Identifier: MIT
#include "message_box.h"

#include <QMessageBox>

namespace hueprint {

void QtMessageBox::showInformation(QWidget* parent, const QString& title, const QString& prompt) {
    QMessageBox box(QMessageBox::Information, title, prompt, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace hueprint
