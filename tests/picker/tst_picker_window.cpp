#include <QtTest>

class picker_windowTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(picker_windowTest)
#include "tst_picker_window.moc"
