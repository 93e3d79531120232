// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

class QWidget;

namespace hueprint {

// A modal message box with the information icon and one OK button.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void showInformation(QWidget* parent, const QString& title, const QString& prompt) = 0;
};

class QtMessageBox final : public MessageBox {
public:
    void showInformation(QWidget* parent, const QString& title, const QString& prompt) override;
};

} // namespace hueprint
