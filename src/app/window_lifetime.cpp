// SPDX-License-Identifier: MIT
#include "window_lifetime.h"

#include <QCoreApplication>
#include <algorithm>

namespace hueprint {

void WindowLifetime::watch(QWidget* window) {
    windows_.emplace_back(window);
    connect(window, &QObject::destroyed, this, &WindowLifetime::windowGone, Qt::QueuedConnection);
}

void WindowLifetime::windowGone() {
    windows_.erase(std::remove_if(windows_.begin(), windows_.end(),
                                  [](const QPointer<QWidget>& w) { return w.isNull(); }),
                   windows_.end());
    if (windows_.empty()) {
        QCoreApplication::quit();
    }
}

} // namespace hueprint
