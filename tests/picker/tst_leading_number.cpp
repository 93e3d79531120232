#include <QtTest>

class leading_numberTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(leading_numberTest)
#include "tst_leading_number.moc"
