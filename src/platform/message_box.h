// SPDX-License-Identifier: MIT
#pragma once

#include <QPointer>
#include <QString>

class QMessageBox;
class QWidget;

namespace hueprint {

// A modal message box with the information icon and one OK button.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void showInformation(QWidget* parent, const QString& title, const QString& prompt) = 0;
};

// A closed box stays, hidden, until the next one opens (or its parent window goes), for the
// reason given at QtColorDialog: the key that closed it may still be on its way back to it.
class QtMessageBox final : public MessageBox {
public:
    QtMessageBox() = default;
    QtMessageBox(const QtMessageBox&) = delete;
    QtMessageBox& operator=(const QtMessageBox&) = delete;
    ~QtMessageBox() override;

    void showInformation(QWidget* parent, const QString& title, const QString& prompt) override;

private:
    QPointer<QMessageBox> closedBox_;
};

} // namespace hueprint
