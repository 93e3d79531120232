#include <QtTest>

class template_windowTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(template_windowTest)
#include "tst_template_window.moc"
