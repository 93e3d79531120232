// SPDX-License-Identifier: MIT
// The "Map Texts" window by the keyboard and a screen reader: Tab goes from the list to the
// filter, its check boxes, the Colors view and the editor's panel, and on through the editor's
// own controls back to the list, each control announcing a name of its own and the role of its
// kind.

#include "editor/preview_panel.h"
#include "maptexts/map_texts_window.h"
#include "support/files.h"
#include "support/recording_platform.h"
#include "support/windows.h"

#include <QAccessible>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace hueprint;

class MapTextsAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void tabGoesRoundTheWindowWithNames();
};

void MapTextsAccessibilityTest::tabGoesRoundTheWindowWithNames() {
    testing::RecordingPlatform platform;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("war3map.wts"));
    QVERIFY(testing::writeFile(path, "STRING 1\n{\n|cffffcc00Gold|r\n}\n"));
    const auto window = std::make_unique<MapTextsWindow>(platform.settings, platform.colorDialog,
                                                         platform.messageBox, platform.fileDialog);
    QVERIFY(testing::showActive(window.get()));
    QVERIFY(window->openFile(path));
    QCOMPARE(QApplication::focusWidget(), window->list());

    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window.get());
    QVERIFY(!frame->text(QAccessible::Description).isEmpty());
    using R = QAccessible::Role;
    const QList<QPair<QString, R>> expected = {
        {QStringLiteral("Filter"), R::EditableText},
        {QStringLiteral("Only with notes"), R::CheckBox},
        {QStringLiteral("Only colored"), R::CheckBox},
        {QStringLiteral("Colors"), R::PageTabList},
        {QStringLiteral("Colors"), R::Tree},
        {QStringLiteral("Replace Color..."), R::Button},
        {QStringLiteral("In-Game Text"), R::EditableText},
    };
    // A chosen color: "Replace Color..." is enabled.
    window->colorsView()->setCurrentItem(window->colorsView()->topLevelItem(0));
    // Those first, then on through the editor's own controls, each named, and round to the list.
    int control = 0;
    do {
        QVERIFY(control < 200);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        // A tab bar says its current tab.
        const QAccessibleInterface* saying =
            iface->role() == R::PageTabList ? iface->child(0) : iface;
        const QString said = saying->text(QAccessible::Name).remove(u'&');
        if (control < expected.size()) {
            QCOMPARE(said, expected[control].first);
            QCOMPARE(iface->role(), expected[control].second);
        } else {
            QVERIFY2(!said.trimmed().isEmpty(),
                     QApplication::focusWidget()->metaObject()->className());
        }
        ++control;
    } while (QApplication::focusWidget() != window->list());
    QVERIFY(control > expected.size());
}

QTEST_MAIN(MapTextsAccessibilityTest)
#include "tst_map_texts_accessibility.moc"
