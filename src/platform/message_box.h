// SPDX-License-Identifier: MIT
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

class QWidget;

namespace hueprint {

// Modal message boxes: a message with the information icon and one OK button, or a question.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual void showInformation(QWidget* parent, const QString& title, const QString& prompt) = 0;
    // A question with the warning icon and the buttons offered: the one pressed (Cancel, or
    // the Escape button, when the box is closed otherwise).
    virtual QMessageBox::StandardButton ask(QWidget* parent, const QString& title,
                                            const QString& prompt,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) = 0;
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
    QMessageBox::StandardButton ask(QWidget* parent, const QString& title, const QString& prompt,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton) override;

private:
    QPointer<QMessageBox> closedBox_;
};

} // namespace hueprint
