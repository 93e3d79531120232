// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace hueprint {

// Ends the program when the last of its windows has gone, whichever kind it was (a tool
// window alone would not keep Qt's own rule going).
class WindowLifetime : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    void watch(QWidget* window);

private:
    void windowGone();
    std::vector<QPointer<QWidget>> windows_;
};

} // namespace hueprint
