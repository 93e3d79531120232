// SPDX-License-Identifier: MIT
#include "platform_choice.h"

#include <QByteArray>
#include <QtGlobal>

namespace hueprint {

void preferPositionablePlatform() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        return; // the user's choice stands
    }
    const bool wayland =
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    if (wayland && !qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
}

} // namespace hueprint
