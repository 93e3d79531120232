// SPDX-License-Identifier: MIT
#include "file_dialog.h"

#include <QFileDialog>

namespace hueprint {

QString QtFileDialog::openFileName(QWidget* parent, const QString& title, const QString& directory,
                                   const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, directory, filter);
}

} // namespace hueprint
