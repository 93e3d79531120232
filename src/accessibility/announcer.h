// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace hueprint {

// Has a screen reader say a short message, whichever control has the focus: an accessible
// object with the role of a notification, never drawn, that tells assistive technology it
// shows with each message. (A change of the focused control's name or description would be
// spoken as well, but the toolkit's bridge on Linux passes such a change on without its text,
// and Orca then says nothing.)
class Announcer : public QWidget {
    Q_OBJECT
public:
    // The announcer belongs to the window and speaks while the window is shown.
    explicit Announcer(QWidget* window);

    void announce(const QString& message);

signals:
    // The message has been handed to assistive technology.
    void announced(const QString& message);
};

} // namespace hueprint
