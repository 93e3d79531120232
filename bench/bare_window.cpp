// SPDX-License-Identifier: MIT
// The floor for this toolkit: one bare QWidget of the template window's size (379 x 409) with
// its caption. A click anywhere in it opens a second bare QWidget of the picker's size
// (353 x 137). First paints are reported exactly as the program reports them.
//
// With --label the first window also shows one line of text in a QLabel: the floor of a
// window that draws any text at all (the font configuration and one font loaded).

#include "app/first_paint_report.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>

namespace {

const QString kCaption = QStringLiteral("Hueprint For WarCraft 3 Colored Text");

class BareWindow : public QWidget {
protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QWidget::mouseReleaseEvent(event);
        if (second_ == nullptr) {
            second_ = new QWidget;
            second_->setObjectName(QStringLiteral("bare_second"));
            second_->setWindowTitle(kCaption);
            second_->setFixedSize(353, 137);
            second_->setAttribute(Qt::WA_DeleteOnClose);
        }
        second_->show();
    }

private:
    QWidget* second_ = nullptr;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    hueprint::reportFirstPaintsWhenAsked();
    BareWindow window;
    window.setObjectName(QStringLiteral("bare"));
    window.setWindowTitle(kCaption);
    window.setFixedSize(379, 409);
    if (QApplication::arguments().contains(QStringLiteral("--label"))) {
        auto* label = new QLabel(QStringLiteral("1)   Enter Your Text Here"), &window);
        label->move(8, 8);
    }
    window.show();
    return QApplication::exec();
}
