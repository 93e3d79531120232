// SPDX-License-Identifier: MIT
// The "Map Texts" window by the keyboard and a screen reader: Tab goes from the list to the
// filter, its check boxes, the Colors view and the editor's panel, and on through the editor's
// own controls back to the list, each control announcing a name of its own and the role of its
// kind.

#include "editor/preview_panel.h"
#include "maptexts/map_texts_window.h"
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
    QFile file(dir.filePath(QStringLiteral("war3map.wts")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("STRING 1\n{\n|cffffcc00Gold|r\n}\n");
    file.close();
    auto* window = new MapTextsWindow(platform.settings, platform.colorDialog, platform.messageBox,
                                      platform.fileDialog);
    const std::unique_ptr<MapTextsWindow> owner(window);
    QVERIFY(testing::showActive(window));
    QVERIFY(window->openFile(file.fileName()));
    QCOMPARE(QApplication::focusWidget(), window->list());

    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(window);
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
    for (const auto& [name, role] : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        QString said = iface->text(QAccessible::Name);
        said.remove(u'&');
        if (role == R::PageTabList) { // the bar says its current tab
            said = iface->child(0)->text(QAccessible::Name).remove(u'&');
        }
        QCOMPARE(said, name);
        QCOMPARE(iface->role(), role);
    }
    // On through the editor's own controls, each named, and round to the list.
    for (int control = 0; QApplication::focusWidget() != window->list(); ++control) {
        QVERIFY(control < 200);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QAccessibleInterface* iface =
            QAccessible::queryAccessibleInterface(QApplication::focusWidget());
        QVERIFY2(!iface->text(QAccessible::Name).trimmed().isEmpty(),
                 QApplication::focusWidget()->metaObject()->className());
    }
}

QTEST_MAIN(MapTextsAccessibilityTest)
#include "tst_map_texts_accessibility.moc"
