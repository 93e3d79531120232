#include <QtTest>

class settings_storeTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(settings_storeTest)
#include "tst_settings_store.moc"
