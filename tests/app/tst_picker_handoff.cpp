#include <QtTest>

class picker_handoffTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(picker_handoffTest)
#include "tst_picker_handoff.moc"
