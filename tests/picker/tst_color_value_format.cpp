#include <QtTest>

class color_value_formatTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(color_value_formatTest)
#include "tst_color_value_format.moc"
