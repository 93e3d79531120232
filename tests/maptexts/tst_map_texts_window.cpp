// SPDX-License-Identifier: MIT
// The "Map Texts" window on a table written as the game's editor writes one, driven offscreen as
// a user drives it: filter and sorting, notes, each string's history, Replace Color, closing with
// changes, a damaged file, a change on disk, and random actions checked against a plain model.

#include "editor/markup_editor.h"
#include "maptexts/map_colors.h"
#include "maptexts/map_texts_window.h"
#include "maptexts/string_list_model.h"
#include "support/files.h"
#include "support/recording_platform.h"
#include "support/windows.h"

#include <QListWidget>
#include <QTreeWidget>
#include <QtTest>

using namespace hueprint;
using namespace hueprint::testing;
using Numbers = QList<qint64>;
using Button = QMessageBox::StandardButton;

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

Numbers shownNumbers(const MapTextsWindow& window) {
    Numbers numbers;
    const QAbstractItemModel* shown = window.list()->model();
    for (int row = 0; row < shown->rowCount(); ++row) {
        numbers.append(shown->index(row, 0).data(string_list::NumberRole).toLongLong());
    }
    return numbers;
}

enum Box { None, Notes, Colored }; // "Only with notes" is clicked, "Only colored" gets Space

} // namespace

class MapTextsWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<RecordingPlatform> platform_;
    std::unique_ptr<QTemporaryDir> dir_;
    QString path_;
    QPointer<MapTextsWindow> window_;

private slots:
    void init() {
        platform_ = std::make_unique<RecordingPlatform>();
        dir_ = std::make_unique<QTemporaryDir>();
        path_ = dir_->filePath(QStringLiteral("war3map.wts"));
        QVERIFY(writeFile(path_, kTable));
        window_ = new MapTextsWindow(platform_->settings, platform_->colorDialog,
                                     platform_->messageBox, platform_->fileDialog);
        QVERIFY(showActive(window_));
        QVERIFY(window_->openFile(dir_->path())); // the map's folder
        QCOMPARE(window_->filePath(), QFileInfo(path_).absoluteFilePath());
    }

    void cleanup() {
        delete window_.data();
        platform_.reset();
        dir_.reset();
    }

    // Typed into the filter, a box ticked, keys pressed (Ctrl+1 sorts by number, Ctrl+2 by
    // place in the file).
    void listShows_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Box>("box");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<Numbers>("shown");
        QTest::newRow("visible text") << "foot" << None << "" << Numbers{3};
        QTest::newRow("markup") << "ff0000" << None << "" << Numbers{1, 10};
        QTest::newRow("number") << "10" << None << "" << Numbers{1, 10};
        QTest::newRow("comment") << "abilities" << None << "" << Numbers{1};
        QTest::newRow("CJK") << "\u7EA2" << None << "" << Numbers{10};
        QTest::newRow("only with notes") << "" << Notes << "" << Numbers{10};
        QTest::newRow("only colored") << "" << Colored << "" << Numbers{3, 1, 10};
        QTest::newRow("by number") << "" << None << "Ctrl+1" << Numbers{1, 2, 3, 10};
        QTest::newRow("then by place") << "" << None << "Ctrl+1, Ctrl+2" << Numbers{3, 1, 2, 10};
    }

    void listShows() {
        QFETCH(QString, typed);
        QFETCH(Box, box);
        QFETCH(QString, keys);
        window_->filterEdit()->setFocus();
        for (const QChar c : typed) { // a key event carrying each character, CJK too
            QTest::sendKeyEvent(QTest::Click, window_->filterEdit(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        }
        if (box == Notes) {
            QTest::mouseClick(window_->onlyWithNotesBox(), Qt::LeftButton);
        } else if (box == Colored) {
            QTest::keyClick(window_->onlyColoredBox(), Qt::Key_Space);
        }
        QTest::keySequence(window_, QKeySequence(keys));
        QTEST(shownNumbers(*window_), "shown");
    }

    // A run of typing is one step in its string's own history: with two strings typed into,
    // Ctrl+Z in each undoes its own typing, back to the file's bytes.
    void eachStringKeepsItsOwnHistory() {
        PreviewPanel* panel = window_->panel();
        panel->setFocus();
        for (const int row : {2, 0}) {
            window_->selectString(row);
            panel->moveCursor(QTextCursor::End);
            QTest::keyClicks(panel, "!?");
        }
        const StringTableRead read = StringTable::read(kTable);
        for (const int row : {2, 0}) {
            window_->selectString(row);
            QCOMPARE(window_->editor()->undoStack()->count(), 1);
            QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(window_->table()->entry(row).text, read.table->entry(row).text);
        }
        QCOMPARE(window_->table()->write(), kTable);
        QVERIFY(!window_->isWindowModified());
    }

    // Replace Color is one step keeping each code's spelling: Ctrl+S writes it, and undoing it
    // gives back the file's bytes.
    void replacingAColorIsOneStep() {
        QTreeWidget* colors = window_->colorsView();
        QTreeWidgetItem* gold =
            colors->findItems(QStringLiteral("FFCC00"), Qt::MatchExactly).value(0);
        QVERIFY(gold);
        QCOMPARE(gold->text(1) + u'/' + gold->text(2), QStringLiteral("2/2")); // codes, strings
        colors->setCurrentItem(gold);
        QCOMPARE(shownNumbers(*window_), (Numbers{3, 1})); // where it is used
        platform_->colorDialog.answers.push_back(rgbColor(0xFF, 0xD7, 0x00));
        QTest::mouseClick(window_->replaceColorButton(), Qt::LeftButton);
        QCOMPARE(window_->undoStack()->count(), 1);
        QTest::keyClick(window_, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fileBytes(path_),
                 QByteArray(kTable).replace("FFcc00", "FFd700").replace("ffcc00", "ffd700"));
        QVERIFY(!window_->isWindowModified());
        window_->undoStack()->undo();
        QCOMPARE(window_->table()->write(), kTable);
        QVERIFY(window_->isWindowModified());
    }

    void closingWithChangesAsks_data() {
        QTest::addColumn<Button>("answer");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        QTest::newRow("save") << QMessageBox::Save << true << true;
        QTest::newRow("discard") << QMessageBox::Discard << true << false;
        QTest::newRow("cancel") << QMessageBox::Cancel << false << false;
    }

    void closingWithChangesAsks() {
        QFETCH(Button, answer);
        window_->replaceColor(rgbColor(0xFF, 0, 0), rgbColor(0, 0, 0xFF));
        platform_->messageBox.answers.push_back(answer);
        window_->close();
        QCOMPARE(platform_->messageBox.asked.size(), std::size_t(1));
        QTEST(window_.isNull() || !window_->isVisible(), "closed");
        QTEST(fileBytes(path_) != kTable, "saved");
    }

    // Another program writes over the file, or deletes it and writes it anew, while a change
    // made here is unsaved: a reload is offered; declined, saving asks before writing over it.
    void aChangeOnDiskIsOffered_data() {
        QTest::addColumn<bool>("deletedFirst");
        QTest::addColumn<Button>("answer");
        QTest::newRow("written over, kept") << false << QMessageBox::No;
        QTest::newRow("written anew, reloaded") << true << QMessageBox::Yes;
    }

    void aChangeOnDiskIsOffered() {
        QFETCH(bool, deletedFirst);
        QFETCH(Button, answer);
        window_->replaceColor(rgbColor(0xFF, 0, 0), rgbColor(0, 0, 0xFF));
        if (deletedFirst) {
            QVERIFY(QFile::remove(path_));
            QTest::qWait(100);
        }
        StringTableRead outside = StringTable::read(kTable);
        outside.table->setText(2, QStringLiteral("changed outside"));
        QVERIFY(writeFile(path_, outside.table->write()));
        platform_->messageBox.answers.push_back(answer);
        QTRY_COMPARE(platform_->messageBox.asked.size(), std::size_t(1));
        if (answer == QMessageBox::No) {
            QCOMPARE(window_->table()->entry(2).text, QStringLiteral("plain words"));
            platform_->messageBox.answers.push_back(QMessageBox::No);
            QVERIFY(!window_->save());
            QCOMPARE(platform_->messageBox.asked.size(), std::size_t(2));
            QCOMPARE(fileBytes(path_), outside.table->write());
            QVERIFY(window_->reload());
        }
        QCOMPARE(window_->table()->entry(2).text, QStringLiteral("changed outside"));
        QVERIFY(!window_->isWindowModified());
    }

    void aFileThatIsNoTableIsRefused() {
        const QString broken = dir_->filePath(QStringLiteral("broken.wts"));
        QVERIFY(writeFile(broken, "STRING 1\n{\ncut short\n"));
        QVERIFY(!window_->openFile(broken));
        QCOMPARE(platform_->messageBox.shown.size(), std::size_t(1));
        QVERIFY(platform_->messageBox.shown.front().prompt.contains(QStringLiteral("line")));
        QCOMPARE(window_->filePath(), QFileInfo(path_).absoluteFilePath()); // the open one stays
        QCOMPARE(fileBytes(broken), QByteArray("STRING 1\n{\ncut short\n"));
    }

    void aNoteLeadsToItsCharacter() {
        QListWidget* notes = window_->notesView();
        window_->views()->setCurrentWidget(notes);
        QCOMPARE(notes->count(), 1);
        QVERIFY(notes->item(0)->text().startsWith(QStringLiteral("String 10: Character 1:")));
        window_->filterEdit()->setText(QStringLiteral("foot")); // the string is hidden
        notes->setCurrentRow(0);
        QTest::keyClick(notes, Qt::Key_Return);
        QCOMPARE(window_->currentRow(), 3);
        QCOMPARE(window_->panel()->selectedRange(), (std::pair<qsizetype, qsizetype>(0, 0)));
    }

    // Seeded user actions (choose a string, type a letter or Backspace at its end, replace a
    // color, undo and redo by the window's stack or by Ctrl+Z, Ctrl+Shift+Z) checked after each
    // against a plain model, the strings' texts: table, list and panel hold them, the bytes to
    // save are the table read afresh with them set, typing changes the visible text by the key
    // alone, undo and redo change nothing; saved at the end, the file holds those bytes.
    void randomActionsKeepTheFileWhole() {
        QRandomGenerator random(22);
        QStringList model;
        for (int i = 0; i < window_->table()->count(); ++i) {
            model.append(window_->table()->entry(i).text);
        }
        const ColorValue colors[] = {rgbColor(0xFF, 0xCC, 0), rgbColor(0xFF, 0, 0),
                                     rgbColor(0, 0x80, 0xFF)};
        PreviewPanel* panel = window_->panel();
        panel->setFocus(); // nothing below moves the focus
        for (int step = 0; step < 120; ++step) {
            const int row = window_->currentRow();
            const QString visible = renderPreview(model.value(row)).text;
            const auto action = random.bounded(6);
            if (action == 0) {
                window_->selectString(static_cast<int>(random.bounded(model.size())));
            } else if (action <= 2) { // a letter typed at the end, or Backspace there
                const char key = action == 1 ? static_cast<char>('a' + random.bounded(26)) : 0;
                panel->moveCursor(QTextCursor::End);
                key ? QTest::keyClick(panel, key) : QTest::keyClick(panel, Qt::Key_Backspace);
                model[row] = window_->table()->entry(row).text;
                QCOMPARE(renderPreview(model[row]).text,
                         key ? visible + QLatin1Char(key) : visible.left(visible.size() - 1));
            } else if (action == 3) {
                const ColorValue from = colors[random.bounded(3)];
                const ColorValue to = colors[random.bounded(3)];
                window_->replaceColor(from, to);
                int codes = 0;
                for (QString& text : model) {
                    text = replaceColorInText(text, from, to, &codes);
                }
            } else if (action == 4) {
                window_->undoStack()->undo();
                window_->undoStack()->redo();
            } else {
                QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier);
                QTest::keyClick(panel, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
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
};

QTEST_MAIN(MapTextsWindowTest)
#include "tst_map_texts_window.moc"
