// SPDX-License-Identifier: MIT
// How the "Map Texts" window is reached: "&Map Texts..." after "In-Game &Preview" in the text
// boxes' context menu (asking for a file), a file dropped onto it, its recent files.

#include "app/map_texts_wiring.h"
#include "app/preview_wiring.h"
#include "app/template_window.h"
#include "maptexts/map_texts_window.h"
#include "support/files.h"
#include "support/template_fixture.h"

#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

namespace {

QString writeTable(const QTemporaryDir& dir, const QString& name) {
    const QString path = dir.filePath(name);
    return testing::writeFile(path, "STRING 1\r\n{\r\n|cffffcc00Gold|r\r\n}\r\n")
               ? QFileInfo(path).absoluteFilePath()
               : QString();
}

} // namespace

class MapTextsWiringTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menuEntryFollowsThePreviewsEntry();
    void aDroppedFileOpensAndComesFirstInRecentFiles();

private:
    std::unique_ptr<TemplateFixture> f_;
    std::unique_ptr<PreviewWiring> preview_;
    std::unique_ptr<MapTextsWiring> wiring_;
    QTemporaryDir dir_;
};

void MapTextsWiringTest::init() {
    f_ = std::make_unique<TemplateFixture>();
    preview_ = std::make_unique<PreviewWiring>(f_->platform.services, f_->window, *f_->host);
    wiring_ = std::make_unique<MapTextsWiring>(f_->platform.services, f_->platform.fileDialog);
    wiring_->addMenuEntries(*preview_);
    QVERIFY(f_->showActive());
}

void MapTextsWiringTest::cleanup() {
    wiring_.reset();
    preview_.reset();
    f_.reset();
}

void MapTextsWiringTest::menuEntryFollowsThePreviewsEntry() {
    const QString table = writeTable(dir_, QStringLiteral("war3map.wts"));
    f_->platform.fileDialog.answers.push_back(table);
    for (int time = 0; time < 2; ++time) {
        QPlainTextEdit* box = f_->window->Text1;
        const QPoint middle = box->viewport()->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, middle,
                                box->viewport()->mapToGlobal(middle));
        QApplication::sendEvent(box->viewport(), &event);
        QPointer<QMenu> menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu);
        const QList<QAction*> actions = menu->actions();
        QCOMPARE(actions.at(0)->text(), PreviewWiring::menuEntryCaption());
        QCOMPARE(actions.at(1)->text(), QStringLiteral("&Map Texts..."));
        QVERIFY(actions.at(2)->isSeparator());
        actions.at(1)->trigger();
        menu->close();
        QVERIFY(wiring_->window() != nullptr);
        QCOMPARE(wiring_->window()->filePath(), table);
    }
    QCOMPARE(f_->platform.fileDialog.titles.size(), 1); // asked once: the second time it is open
}

void MapTextsWiringTest::aDroppedFileOpensAndComesFirstInRecentFiles() {
    const QString a = writeTable(dir_, QStringLiteral("a.wts"));
    const QString b = writeTable(dir_, QStringLiteral("b.wts"));
    MapTextsWindow* window = wiring_->openWindow(a);
    QVERIFY(window->openFile(b));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window, &drop);
    QCOMPARE(window->filePath(), a);
    QCOMPARE(window->recentFiles(), (QStringList{a, b})); // each once, the latest first
    QCOMPARE(f_->platform.settings.values.value(QStringLiteral("Map Texts/Recent File 1")), a);
}

QTEST_MAIN(MapTextsWiringTest)
#include "tst_map_texts_wiring.moc"
