// SPDX-License-Identifier: MIT
// How the "Map Texts" window is reached: "&Map Texts..." after "In-Game &Preview" in the text
// boxes' context menu, the command line, a file dropped onto it; and its recent files.

#include "app/map_texts_wiring.h"
#include "app/preview_wiring.h"
#include "maptexts/map_texts_window.h"
#include "support/files.h"
#include "support/template_fixture.h"

#include <QMenu>
#include <QtTest>

using namespace hueprint;

class MapTextsWiringTest : public QObject {
    Q_OBJECT
private slots:
    void eachWayOpensATable() {
        testing::TemplateFixture f;
        PreviewWiring preview(f.platform.services, f.window, *f.host);
        MapTextsWiring wiring(f.platform.services, f.platform.fileDialog);
        wiring.addMenuEntries(preview);
        QVERIFY(f.showActive());
        QTemporaryDir dir;
        const QString a = dir.filePath(QStringLiteral("a.wts"));
        const QString b = dir.filePath(QStringLiteral("b.wts"));
        const QByteArray table = "STRING 1\r\n{\r\n|cffffcc00Gold|r\r\n}\r\n";
        QVERIFY(testing::writeFile(a, table) && testing::writeFile(b, table));
        f.platform.fileDialog.answers.push_back(a);
        QWidget* box = f.window->Text1->viewport();
        for (int time = 0; time < 2; ++time) { // the second time, the window is open already
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(), box->mapToGlobal(QPoint()));
            QApplication::sendEvent(box, &event);
            QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().at(0)->text(), PreviewWiring::menuEntryCaption());
            QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("&Map Texts..."));
            QVERIFY(menu->actions().at(2)->isSeparator());
            menu->actions().at(1)->trigger();
            menu->close();
        }
        QCOMPARE(f.platform.fileDialog.titles.size(), 1); // asked for a file once
        MapTextsWindow* window = wiring.window();
        QCOMPARE(wiring.openWindow(b), window); // as the command line opens one: the same window
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(a)});
        QDragEnterEvent enter(QPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        QCOMPARE(window->filePath(), a);
        QCOMPARE(window->recentFiles(), (QStringList{a, b})); // each once, the latest first
        QCOMPARE(f.platform.settings.values.value(QStringLiteral("Map Texts/Recent File 1")), a);
    }
};

QTEST_MAIN(MapTextsWiringTest)
#include "tst_map_texts_wiring.moc"
