// SPDX-License-Identifier: MIT
// The "Map Texts" window by keyboard and screen reader: Tab goes from the list round the window
// and back, each control announcing a name of its own and its role.

#include "maptexts/map_texts_window.h"
#include "support/files.h"
#include "support/recording_platform.h"
#include "support/windows.h"

#include <QAccessible>
#include <QTableView>
#include <QtTest>

using namespace hueprint;

class MapTextsAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void tabGoesRoundTheWindowWithNames() {
        testing::RecordingPlatform platform;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("war3map.wts"));
        QVERIFY(testing::writeFile(path, "STRING 1\n{\n|cffffcc00Gold|r\n}\n"));
        MapTextsWindow window(platform.settings, platform.colorDialog, platform.messageBox,
                              platform.fileDialog);
        QVERIFY(testing::showActive(&window));
        QVERIFY(window.openFile(path));
        QCOMPARE(QApplication::focusWidget(), window.list());
        QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(&window);
        QVERIFY(!frame->text(QAccessible::Description).isEmpty());
        window.colorsView()->setCurrentItem(window.colorsView()->topLevelItem(0)); // Replace is on
        QStringList said; // "name:role" of each control Tab comes to (a tab bar: its tab's name)
        do {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            auto* control = QAccessible::queryAccessibleInterface(QApplication::focusWidget());
            auto* named = control->role() == QAccessible::PageTabList ? control->child(0) : control;
            const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(control->role());
            said.append(named->text(QAccessible::Name).remove(u'&').trimmed() + u':' + role);
        } while (QApplication::focusWidget() != window.list() && said.size() < 200);
        QCOMPARE(said.mid(0, 7).join(u' '),
                 QLatin1String("Filter:EditableText Only with notes:CheckBox Only colored:CheckBox "
                               "Colors:PageTabList Colors:Tree Replace Color...:Button "
                               "In-Game Text:EditableText"));
        QVERIFY(said.size() > 7 && said.size() < 200); // the editor's controls, then the list
        QCOMPARE(said.filter(QRegularExpression(QStringLiteral("^:"))).join(u' '), QString());
    }
};

QTEST_MAIN(MapTextsAccessibilityTest)
#include "tst_map_texts_accessibility.moc"
