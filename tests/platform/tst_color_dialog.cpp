// SPDX-License-Identifier: MIT
// The color dialog as "Gra&ph" shows it: the toolkit's own dialog (never a desktop's native
// one, which may open without its custom colors), with the title and initial color asked for,
// reporting the chosen color or a cancellation.

#include "platform/color_dialog.h"
#include "platform/color_value.h"

#include <QApplication>
#include <QColorDialog>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace hueprint;

class ColorDialogTest : public QObject {
    Q_OBJECT
private slots:
    void showsQtsOwnDialog_data();
    void showsQtsOwnDialog();
    void closedDialogStaysUntilTheNextOpens();
};

void ColorDialogTest::showsQtsOwnDialog_data() {
    QTest::addColumn<bool>("accept");
    QTest::newRow("a color chosen") << true;
    QTest::newRow("cancelled") << false;
}

void ColorDialogTest::showsQtsOwnDialog() {
    QFETCH(bool, accept);

    bool seen = false;
    bool ownDialog = false;
    QString title;
    QColor initial;
    // Answers the dialog once it is up, as the user would.
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            return;
        }
        answer.stop();
        seen = true;
        ownDialog = dialog->testOption(QColorDialog::DontUseNativeDialog);
        title = dialog->windowTitle();
        initial = dialog->currentColor();
        if (accept) {
            dialog->setCurrentColor(QColor(10, 20, 30));
            dialog->accept();
        } else {
            dialog->reject();
        }
    });
    answer.start();

    QtColorDialog colorDialog;
    const std::optional<ColorValue> chosen =
        colorDialog.chooseColor(nullptr, QStringLiteral("Choose a Color"), rgbColor(255, 128, 0));
    QVERIFY(seen);
    QVERIFY(ownDialog);
    QCOMPARE(title, QStringLiteral("Choose a Color"));
    QCOMPARE(initial, QColor(255, 128, 0));
    if (accept) {
        QCOMPARE(chosen, std::optional<ColorValue>(rgbColor(10, 20, 30)));
    } else {
        QVERIFY(!chosen.has_value());
    }
}

// The screen reader's bridge hands the key that closed the dialog back to the dialog's window
// after the dialog closed: the window is still there then, and goes when the next dialog opens.
void ColorDialogTest::closedDialogStaysUntilTheNextOpens() {
    QPointer<QColorDialog> first;
    QPointer<QColorDialog> second;
    {
        QtColorDialog colorDialog;
        for (QPointer<QColorDialog>* shown : {&first, &second}) {
            QTimer answer;
            answer.setInterval(10);
            QObject::connect(&answer, &QTimer::timeout, [&answer, shown] {
                auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
                if (dialog == nullptr || !dialog->isVisible()) {
                    return;
                }
                answer.stop();
                *shown = dialog;
                QTest::keyClick(dialog, Qt::Key_Escape);
            });
            answer.start();
            QVERIFY(!colorDialog.chooseColor(nullptr, QStringLiteral("Choose a Color"), 0));
            QVERIFY(!shown->isNull());
            QVERIFY(!(*shown)->isVisible());
            QVERIFY((*shown)->windowHandle() != nullptr);
        }
        QVERIFY(first.isNull());
        QVERIFY(!second.isNull());
    }
    QVERIFY(second.isNull());
}

QTEST_MAIN(ColorDialogTest)
#include "tst_color_dialog.moc"
