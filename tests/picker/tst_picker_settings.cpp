#include <QtTest>

class picker_settingsTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(picker_settingsTest)
#include "tst_picker_settings.moc"
