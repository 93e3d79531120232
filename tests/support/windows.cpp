// SPDX-License-Identifier: MIT
#include "windows.h"

#include <QCoreApplication>
#include <QTest>

namespace hueprint::testing {

bool showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

Picker::Picker(PlatformServices& services, Showing showing) : window_(new frmMain(services)) {
    if (showing == Shown) {
        window_->show();
    }
}

void Picker::close() {
    window_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace hueprint::testing
