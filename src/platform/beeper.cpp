// SPDX-License-Identifier: MIT
#include "beeper.h"

#include <QApplication>

namespace hueprint {

void QtBeeper::beep() {
    QApplication::beep();
}

} // namespace hueprint
