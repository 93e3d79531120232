// SPDX-License-Identifier: MIT
#include "program_exit.h"

#include <QCoreApplication>

namespace hueprint {

void QtProgramExit::endProgram() {
    QCoreApplication::exit(0);
}

} // namespace hueprint
