#include <QtTest>

class favoritesTest : public QObject {
    Q_OBJECT
private slots:
    void placeholder() {}
};

QTEST_MAIN(favoritesTest)
#include "tst_favorites.moc"
