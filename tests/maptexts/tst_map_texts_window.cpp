// SPDX-License-Identifier: MIT
// The "Map Texts" window on a table written as the game's editor writes one, driven offscreen as
// a user drives it: the filter and sorting of the list, an edit in the panel, a color replaced,
// the file saved, closed with changes, and changed on disk by another program.

#include "editor/markup_editor.h"
#include "editor/preview_panel.h"
#include "maptexts/map_colors.h"
#include "maptexts/map_texts_window.h"
#include "maptexts/string_filter.h"
#include "maptexts/string_list_model.h"
#include "maptexts/string_roles.h"
#include "maptexts/string_table.h"
#include "markup/markup_edit.h"
#include "markup/markup_render.h"
#include "support/files.h"
#include "support/recording_platform.h"
#include "support/windows.h"

#include <QListWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::fileBytes;
using hueprint::testing::RecordingPlatform;
using hueprint::testing::writeFile;

namespace {

// A byte-order mark, blocks out of order, a zero-padded number, comments, CRLF and LF mixed,
// a text of several lines, a note (a color left open), CJK text.
const QByteArray kTable =
    "\xEF\xBB\xBF"
    "STRING 3\r\n// Units: Footman (Name)\r\n{\r\n|cffFFcc00Gold|r Footman\r\n}"
    "\r\n\r\n"
    "STRING 001\n// Abilities: Storm Bolt (Tooltip)\n{\n"
    "Storm Bolt [|cffffcc00Q|r]\nDeals |cFFFF0000100|r damage.\n}\n\n"
    "STRING 2\r\n{\r\nplain words\r\n}\r\n\r\n"
    "STRING 10\n// Quests\n{\n|c00ff0000\xE7\xBA\xA2\xE8\x89\xB2 left open\n}\n";

QList<qint64> shownNumbers(const MapTextsWindow& window) {
    QList<qint64> numbers;
    const QAbstractItemModel* shown = window.list()->model();
    for (int row = 0; row < shown->rowCount(); ++row) {
        numbers.append(shown->index(row, 0).data(string_list::NumberRole).toLongLong());
    }
    return numbers;
}

// What the table's own writer gives for the table with one string's text changed.
QByteArray withText(const QByteArray& table, int index, const QString& text) {
    StringTableRead read = StringTable::read(table);
    read.table->setText(index, text);
    return read.table->write();
}

} // namespace

class MapTextsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void filterNarrows_data();
    void filterNarrows();
    void sortsByNumberOrPlace();
    void editInThePanelChangesTheTableAndTheList();
    void replacingAColorIsOneStepSavedOrUndone();
    void closingWithChangesAsks_data();
    void closingWithChangesAsks();
    void aChangeOnDiskIsNoticed();
    void aFileWrittenAnewIsNoticed();
    void aFileThatIsNoTableIsRefused();
    void aNoteLeadsToItsCharacter();
    void randomActionsKeepTheFileWhole();

private:
    std::unique_ptr<RecordingPlatform> platform_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    QPointer<MapTextsWindow> window_;
};

void MapTextsWindowTest::init() {
    platform_ = std::make_unique<RecordingPlatform>();
    dir_ = std::make_unique<QTemporaryDir>();
    path_ = dir_->filePath(QStringLiteral("war3map.wts"));
    QVERIFY(writeFile(path_, kTable));
    window_ = new MapTextsWindow(platform_->settings, platform_->colorDialog, platform_->messageBox,
                                 platform_->fileDialog);
    QVERIFY(testing::showActive(window_));
    QVERIFY(window_->openFile(dir_->path())); // the map's folder
    QCOMPARE(window_->filePath(), QFileInfo(path_).absoluteFilePath());
}

void MapTextsWindowTest::cleanup() {
    delete window_.data();
    platform_.reset();
    dir_.reset();
}

void MapTextsWindowTest::filterNarrows_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("onlyWithNotes");
    QTest::addColumn<bool>("onlyColored");
    QTest::addColumn<QList<qint64>>("shown");
    QTest::newRow("nothing") << "" << false << false << QList<qint64>{3, 1, 2, 10};
    QTest::newRow("visible text") << "foot" << false << false << QList<qint64>{3};
    QTest::newRow("markup") << "ff0000" << false << false << QList<qint64>{1, 10};
    QTest::newRow("number") << "10" << false << false << QList<qint64>{1, 10};
    QTest::newRow("comment") << "abilities" << false << false << QList<qint64>{1};
    QTest::newRow("CJK") << "\u7EA2" << false << false << QList<qint64>{10};
    QTest::newRow("only with notes") << "" << true << false << QList<qint64>{10};
    QTest::newRow("only colored") << "" << false << true << QList<qint64>{3, 1, 10};
}

void MapTextsWindowTest::filterNarrows() {
    QFETCH(QString, typed);
    QFETCH(bool, onlyWithNotes);
    QFETCH(bool, onlyColored);
    QFETCH(QList<qint64>, shown);
    window_->filterEdit()->setFocus();
    for (const QChar c : typed) { // a key event carrying each character, CJK too
        QTest::sendKeyEvent(QTest::Click, window_->filterEdit(), Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    }
    if (onlyWithNotes) {
        QTest::mouseClick(window_->onlyWithNotesBox(), Qt::LeftButton);
    }
    if (onlyColored) {
        QTest::keyClick(window_->onlyColoredBox(), Qt::Key_Space);
    }
    QCOMPARE(shownNumbers(*window_), shown);
}

void MapTextsWindowTest::sortsByNumberOrPlace() {
    window_->list()->sortByColumn(string_list::NumberColumn, Qt::AscendingOrder);
    QCOMPARE(shownNumbers(*window_), (QList<qint64>{1, 2, 3, 10}));
    window_->list()->sortByColumn(string_list::NumberColumn, Qt::DescendingOrder);
    QCOMPARE(shownNumbers(*window_), (QList<qint64>{10, 3, 2, 1}));
    QTest::keyClick(window_, Qt::Key_2, Qt::ControlModifier); // "Sort by Place in File"
    QCOMPARE(shownNumbers(*window_), (QList<qint64>{3, 1, 2, 10}));
}

void MapTextsWindowTest::editInThePanelChangesTheTableAndTheList() {
    window_->selectString(2); // "plain words"
    PreviewPanel* panel = window_->panel();
    panel->setFocus();
    panel->moveCursor(QTextCursor::End);
    QTest::keyClicks(panel, "!!");
    QCOMPARE(window_->table()->entry(2).text, QStringLiteral("plain words!!"));
    QCOMPARE(window_->strings()->index(2, string_list::TextColumn).data().toString(),
             QStringLiteral("plain words!!"));
    QVERIFY(window_->isWindowModified());
    QCOMPARE(window_->editor()->undoStack()->count(), 1); // one run of typing
    // Another string edited meanwhile: each keeps its own history.
    window_->selectString(0);
    panel->moveCursor(QTextCursor::End);
    QTest::keyClicks(panel, "?");
    window_->selectString(2);
    QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window_->table()->entry(2).text, QStringLiteral("plain words"));
    window_->selectString(0);
    QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(window_->table()->write(), kTable);
    QVERIFY(!window_->isWindowModified());
}

// Replacing a color is one step: Ctrl+S writes it, and undoing it gives back the file's bytes.
void MapTextsWindowTest::replacingAColorIsOneStepSavedOrUndone() {
    QTreeWidget* colors = window_->colorsView();
    const QList<QTreeWidgetItem*> gold =
        colors->findItems(QStringLiteral("FFCC00"), Qt::MatchExactly);
    QCOMPARE(gold.size(), 1);
    QCOMPARE(gold.first()->text(1), QStringLiteral("2")); // codes
    QCOMPARE(gold.first()->text(2), QStringLiteral("2")); // strings
    colors->setCurrentItem(gold.first());
    QCOMPARE(shownNumbers(*window_), (QList<qint64>{3, 1})); // where it is used
    platform_->colorDialog.answers.push_back(rgbColor(0xFF, 0xD7, 0x00));
    QTest::mouseClick(window_->replaceColorButton(), Qt::LeftButton);
    QCOMPARE(window_->undoStack()->count(), 1);
    QTest::keyClick(window_, Qt::Key_S, Qt::ControlModifier);
    QByteArray replaced = kTable;
    QCOMPARE(fileBytes(path_), replaced.replace("FFcc00", "FFd700").replace("ffcc00", "ffd700"));
    QVERIFY(!window_->isWindowModified());
    window_->undoStack()->undo();
    QCOMPARE(window_->table()->write(), kTable);
    QVERIFY(window_->isWindowModified());
}

void MapTextsWindowTest::closingWithChangesAsks_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("save") << QMessageBox::Save << true << true;
    QTest::newRow("discard") << QMessageBox::Discard << true << false;
    QTest::newRow("cancel") << QMessageBox::Cancel << false << false;
}

void MapTextsWindowTest::closingWithChangesAsks() {
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, closed);
    QFETCH(bool, saved);
    window_->replaceColor(rgbColor(0xFF, 0, 0), rgbColor(0, 0, 0xFF));
    platform_->messageBox.answers.push_back(answer);
    window_->close();
    QCOMPARE(platform_->messageBox.asked.size(), std::size_t(1));
    QCOMPARE(window_.isNull() || !window_->isVisible(), closed);
    QCOMPARE(fileBytes(path_) != kTable, saved);
}

void MapTextsWindowTest::aChangeOnDiskIsNoticed() {
    window_->replaceColor(rgbColor(0xFF, 0, 0), rgbColor(0, 0, 0xFF)); // a change not saved
    const QByteArray outside = withText(kTable, 2, QStringLiteral("changed outside"));
    QVERIFY(writeFile(path_, outside));
    platform_->messageBox.answers.push_back(QMessageBox::No); // keep the changes made here
    QTRY_COMPARE(platform_->messageBox.asked.size(), std::size_t(1));
    QCOMPARE(window_->table()->entry(2).text, QStringLiteral("plain words"));
    // Saving now asks before writing over the other program's change.
    platform_->messageBox.answers.push_back(QMessageBox::No);
    QVERIFY(!window_->save());
    QCOMPARE(platform_->messageBox.asked.size(), std::size_t(2));
    QCOMPARE(fileBytes(path_), outside);
    // Reloading takes the file as it is now.
    QVERIFY(window_->reload());
    QCOMPARE(window_->table()->entry(2).text, QStringLiteral("changed outside"));
    QVERIFY(!window_->isWindowModified());
}

// A program that deletes the file and then writes it anew: the new file is noticed too.
void MapTextsWindowTest::aFileWrittenAnewIsNoticed() {
    QVERIFY(QFile::remove(path_));
    QTest::qWait(100);
    QVERIFY(writeFile(path_, withText(kTable, 2, QStringLiteral("written anew"))));
    platform_->messageBox.answers.push_back(QMessageBox::Yes);
    QTRY_COMPARE(window_->table()->entry(2).text, QStringLiteral("written anew"));
}

void MapTextsWindowTest::aFileThatIsNoTableIsRefused() {
    const QString broken = dir_->filePath(QStringLiteral("broken.wts"));
    QVERIFY(writeFile(broken, "STRING 1\n{\ncut short\n"));
    QVERIFY(!window_->openFile(broken));
    QCOMPARE(platform_->messageBox.shown.size(), std::size_t(1));
    QVERIFY(platform_->messageBox.shown.front().prompt.contains(QStringLiteral("line")));
    QCOMPARE(window_->filePath(), QFileInfo(path_).absoluteFilePath()); // the open one stays
    QCOMPARE(fileBytes(broken), QByteArray("STRING 1\n{\ncut short\n"));
}

void MapTextsWindowTest::aNoteLeadsToItsCharacter() {
    window_->views()->setCurrentWidget(window_->notesView());
    QListWidget* notes = window_->notesView();
    QCOMPARE(notes->count(), 1);
    QVERIFY(notes->item(0)->text().startsWith(QStringLiteral("String 10: Character 1:")));
    window_->filterEdit()->setText(QStringLiteral("foot")); // the string is hidden
    notes->setCurrentRow(0);
    QTest::keyClick(notes, Qt::Key_Return);
    QCOMPARE(window_->currentRow(), 3);
    QCOMPARE(window_->panel()->selectedRange(), (std::pair<qsizetype, qsizetype>(0, 0)));
}

// A seeded run of user actions (choosing a string, typing at its end, Backspace, replacing a
// color, undo and redo, saving) checked after each against a plain model, the list of the
// strings' texts: the table, the list and the panel hold the model's texts, the bytes the
// window would save are the table read afresh with those texts set, typing changes only what
// the player sees by the key typed, and an undo and a redo change nothing.
void MapTextsWindowTest::randomActionsKeepTheFileWhole() {
    QRandomGenerator random(22);
    QStringList model;
    for (int i = 0; i < window_->table()->count(); ++i) {
        model.append(window_->table()->entry(i).text);
    }
    const ColorValue colors[] = {rgbColor(0xFF, 0xCC, 0), rgbColor(0xFF, 0, 0),
                                 rgbColor(0, 0x80, 0xFF)};
    PreviewPanel* panel = window_->panel();
    for (int step = 0; step < 120; ++step) {
        const int row = window_->currentRow();
        const QString visible = renderPreview(model.value(row)).text;
        const auto action = random.bounded(6);
        switch (action) {
        case 0:
            window_->selectString(static_cast<int>(random.bounded(model.size())));
            break;
        case 1:
        case 2: { // a letter typed at the end, or Backspace there
            const char key = action == 1 ? static_cast<char>('a' + random.bounded(26)) : 0;
            panel->setFocus();
            panel->moveCursor(QTextCursor::End);
            key ? QTest::keyClick(panel, key) : QTest::keyClick(panel, Qt::Key_Backspace);
            model[row] = window_->table()->entry(row).text;
            QCOMPARE(renderPreview(model[row]).text,
                     key ? visible + QLatin1Char(key) : visible.left(visible.size() - 1));
            break;
        }
        case 3: {
            const ColorValue from = colors[random.bounded(3)];
            const ColorValue to = colors[random.bounded(3)];
            window_->replaceColor(from, to);
            for (QString& text : model) {
                int codes = 0;
                text = replaceColorInText(text, from, to, &codes);
            }
            break;
        }
        case 4: // an undo and a redo, of the window's steps and of the editor's, change nothing
            window_->undoStack()->undo();
            window_->undoStack()->redo();
            break;
        case 5:
            panel->setFocus();
            QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier);
            QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
            break;
        }
        StringTableRead expected = StringTable::read(kTable);
        for (int i = 0; i < model.size(); ++i) {
            QCOMPARE(window_->table()->entry(i).text, model[i]);
            QCOMPARE(window_->strings()->markup(i), model[i]);
            expected.table->setText(i, model[i]);
        }
        QCOMPARE(window_->table()->write(), expected.table->write());
        QCOMPARE(window_->isWindowModified(), expected.table->write() != kTable);
        QCOMPARE(panel->toPlainText(), editableText(model.value(window_->currentRow())).text);
    }
    const QByteArray last = window_->table()->write();
    QVERIFY(window_->save());
    QCOMPARE(fileBytes(path_), last);
}

QTEST_MAIN(MapTextsWindowTest)
#include "tst_map_texts_window.moc"
