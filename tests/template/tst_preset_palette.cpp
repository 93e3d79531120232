#include <QtTest>

class preset_paletteTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(preset_paletteTest)
#include "tst_preset_palette.moc"
