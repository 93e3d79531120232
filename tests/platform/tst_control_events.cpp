#include <QtTest>

class control_eventsTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(control_eventsTest)
#include "tst_control_events.moc"
