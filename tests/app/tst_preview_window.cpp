// SPDX-License-Identifier: MIT
// The in-game preview with the real windows, as the program wires it: the context-menu entry
// and F2 open the one preview, it follows Text1 through compositions and the user's edits, and
// it comes back at the place and size it was closed at, whatever the store holds.

#include "app/picker_host.h"
#include "app/picker_window.h"
#include "app/preview_wiring.h"
#include "app/template_window.h"
#include "editor/preview_geometry.h"
#include "editor/preview_panel.h"
#include "editor/preview_window.h"
#include "platform/color_swatch.h"
#include "support/template_fixture.h"
#include "support/windows.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::showActive;
using hueprint::testing::TemplateFixture;

namespace {

int previewWindowCount() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<PreviewWindow*>(window) != nullptr && window->isVisible()) {
            ++count;
        }
    }
    return count;
}

// Asks the box for its context menu as a right click in its middle does.
QMenu* openContextMenu(QPlainTextEdit* box) {
    const QPoint middle = box->viewport()->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, middle, box->viewport()->mapToGlobal(middle));
    QApplication::sendEvent(box->viewport(), &event);
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

QStringList actionTexts(const QList<QAction*>& actions) {
    QStringList texts;
    for (const QAction* action : actions) {
        texts.append(action->isSeparator() ? QStringLiteral("--") : action->text());
    }
    return texts;
}

// The markup's runs as "#BBGGRR-as-number:text" pairs, enough to tell colors apart.
QStringList runsOf(const PreviewWindow& preview) {
    QStringList runs;
    for (const PreviewRun& run : preview.rendering().runs) {
        runs.append(QStringLiteral("%1:%2").arg(run.color).arg(runText(preview.rendering(), run)));
    }
    return runs;
}

bool liesOn(const QRect& window, const QRect& screen) {
    return screen.contains(window);
}

} // namespace

class PreviewWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void menuEntryComesFirst_data();
    void menuEntryComesFirst();
    void f2OpensTheOnePreview();
    void followsCompositionsAndEdits();
    void drawsTheColors();
    void hugeTextIsLaidOutWhereSeen();
    void keepsItsPlaceAndSize();
    void goesWithTheTemplateWindow_data();
    void goesWithTheTemplateWindow();
    void damagedPlaceFallsBack_data();
    void damagedPlaceFallsBack();

private:
    std::unique_ptr<TemplateFixture> f_;
    std::unique_ptr<PreviewWiring> wiring_;
    Form1* w() { return f_->window; }
};

void PreviewWindowTest::init() {
    f_ = std::make_unique<TemplateFixture>();
    wiring_ = std::make_unique<PreviewWiring>(f_->platform.services, f_->window, *f_->host);
    QVERIFY(f_->showActive());
}

void PreviewWindowTest::cleanup() {
    wiring_.reset();
    f_.reset();
    QCOMPARE(previewWindowCount(), 0);
}

void PreviewWindowTest::menuEntryComesFirst_data() {
    QTest::addColumn<QString>("box");
    QTest::newRow("Text1") << QStringLiteral("Text1");
    QTest::newRow("Text2") << QStringLiteral("Text2");
}

// "In-Game &Preview" heads the box's own menu, which is otherwise the toolkit's; choosing it
// twice leaves one preview.
void PreviewWindowTest::menuEntryComesFirst() {
    QFETCH(QString, box);
    QPlainTextEdit* edit = box == QStringLiteral("Text1") ? w()->Text1 : w()->Text2;
    std::unique_ptr<QMenu> standard(edit->createStandardContextMenu());

    for (int time = 0; time < 2; ++time) {
        QPointer<QMenu> menu = openContextMenu(edit);
        QVERIFY(menu);
        const QList<QAction*> actions = menu->actions();
        QVERIFY(actions.size() >= 2);
        QCOMPARE(actions.first()->text(), QStringLiteral("In-Game &Preview"));
        QVERIFY(actions.at(1)->isSeparator());
        QCOMPARE(actionTexts(actions.mid(2)), actionTexts(standard->actions()));
        actions.first()->trigger();
        menu->close();
        QTRY_VERIFY(menu.isNull()); // the menu goes with its closing
        QVERIFY(wiring_->preview() != nullptr);
        QCOMPARE(previewWindowCount(), 1);
    }
    PreviewWindow* preview = wiring_->preview();
    QCOMPARE(preview->windowTitle(),
             QStringLiteral("In-Game Preview - Hueprint For WarCraft 3 Colored Text"));
    QCOMPARE(preview->windowType(), Qt::Tool); // kept out of the taskbar
    QVERIFY(!preview->isModal());
    QVERIFY(preview->minimumSize() != preview->maximumSize()); // resizable
    QVERIFY(w()->isEnabled());
}

// F2 in the template window and in the picker opens the same one preview.
void PreviewWindowTest::f2OpensTheOnePreview() {
    w()->Text2->setFocus();
    QTest::keyClick(w()->Text2, Qt::Key_F2);
    QTRY_VERIFY(wiring_->preview() != nullptr);
    QPointer<PreviewWindow> first = wiring_->preview();
    QTRY_VERIFY(first->isVisible());
    QTRY_VERIFY(first->panel()->hasFocus()); // the editor takes the focus
    QTest::keyClick(w()->Text1, Qt::Key_F2);
    QCOMPARE(wiring_->preview(), first.data());

    QTest::mouseClick(w()->Command5, Qt::LeftButton);
    frmMain* picker = f_->host->picker();
    QVERIFY(picker != nullptr);
    QVERIFY(showActive(picker));
    QTest::keyClick(picker->focusWidget() ? picker->focusWidget() : picker, Qt::Key_F2);
    QCOMPARE(wiring_->preview(), first.data());
    QCOMPARE(previewWindowCount(), 1);

    // Closed, the next F2 in a fresh picker opens it again.
    first->close();
    QTRY_VERIFY(first.isNull());
    f_->host->unload();
    QTest::mouseClick(w()->Command5, Qt::LeftButton);
    picker = f_->host->picker();
    QVERIFY(showActive(picker));
    QTest::keyClick(picker->focusWidget() ? picker->focusWidget() : picker, Qt::Key_F2);
    QVERIFY(wiring_->preview() != nullptr);
    QCOMPARE(previewWindowCount(), 1);
}

// A swatch click composes into Text1 and the preview shows it; so does the user's own edit.
void PreviewWindowTest::followsCompositionsAndEdits() {
    QTest::keyClicks(w()->Text2, QStringLiteral("Hello"));
    wiring_->openPreview();
    PreviewWindow* preview = wiring_->preview();
    QVERIFY(preview != nullptr);
    QVERIFY(preview->rendering().runs.empty());

    QTest::mouseClick(w()->Picture(10), Qt::LeftButton); // red
    // The template window's own work is done at once; the preview follows shortly.
    QCOMPARE(w()->Text1->toPlainText(), QStringLiteral("|cFFFF0000Hello|r"));
    QTRY_COMPARE(runsOf(*preview), QStringList{QStringLiteral("255:Hello")});
    QCOMPARE(preview->figures()->text(),
             QStringLiteral("Markup: 17 characters, 17 bytes    Player sees: 5 characters"));
    QCOMPARE(preview->notes()->toPlainText(), QStringLiteral("No mistakes found."));

    w()->Text1->setFocus();
    w()->Text1->moveCursor(QTextCursor::End);
    QTest::keyClicks(w()->Text1, QStringLiteral(" <b>|r"));
    QTRY_COMPARE(runsOf(*preview),
                 (QStringList{QStringLiteral("255:Hello"), QStringLiteral("16777215: <b>")}));
    QCOMPARE(preview->notes()->toPlainText(),
             QStringLiteral("Character 22: \"|r\" with no color open"));

    QTest::mouseClick(w()->Command2, Qt::LeftButton); // Erase
    QTRY_VERIFY(preview->rendering().runs.empty());
}

// The panel is dark and the runs are drawn in their colors.
void PreviewWindowTest::drawsTheColors() {
    w()->Text1->setPlainText(
        QStringLiteral("|cFFFF0000REDREDRED|r |cFF00FF00GREENGREEN|r <b>&amp;</b>"));
    wiring_->openPreview();
    PreviewWindow* preview = wiring_->preview();
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    const QImage image = preview->panel()->grab().toImage();
    int red = 0;
    int green = 0;
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += (c.red() > 160 && c.green() < 90 && c.blue() < 90) ? 1 : 0;
            green += (c.green() > 160 && c.red() < 90 && c.blue() < 90) ? 1 : 0;
            dark += c == PreviewPanel::backgroundColor() ? 1 : 0;
        }
    }
    QVERIFY2(red > 20, qPrintable(QString::number(red)));
    QVERIFY2(green > 20, qPrintable(QString::number(green)));
    QVERIFY(dark > image.width() * image.height() / 2);
    QCOMPARE(preview->figures()->textFormat(), Qt::PlainText);
}

// A megabyte in one line: shown whole, one block, and scrolled to its end.
void PreviewWindowTest::hugeTextIsLaidOutWhereSeen() {
    QString markup;
    for (int i = 0; markup.size() < (1 << 20); ++i) {
        markup += QStringLiteral("|cFF%1word word ").arg(i & 0xFFFFFF, 6, 16, QLatin1Char('0'));
    }
    w()->Text1->setPlainText(markup);
    wiring_->openPreview();
    PreviewPanel* panel = wiring_->preview()->panel();
    QVERIFY(QTest::qWaitForWindowExposed(wiring_->preview()));
    QCOMPARE(panel->shownText().text, wiring_->preview()->rendering().text);
    QCOMPARE(panel->document()->blockCount(), 1);
    QCOMPARE(panel->document()->characterCount() - 1, wiring_->preview()->rendering().text.size());
    QScrollBar* bar = panel->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(wiring_->preview()->rendering().markupCharacters, markup.size());
    // What came into view is drawn in its colors.
    const QImage image = panel->grab().toImage();
    int colored = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            colored += std::max({c.red(), c.green(), c.blue()}) -
                                   std::min({c.red(), c.green(), c.blue()}) >
                               120
                           ? 1
                           : 0;
        }
    }
    QVERIFY2(colored > 100, qPrintable(QString::number(colored)));
}

// Closed and opened again, the preview stands where it stood, as large as it was; the picker's
// sections are not touched.
void PreviewWindowTest::keepsItsPlaceAndSize() {
    wiring_->openPreview();
    QPointer<PreviewWindow> preview = wiring_->preview();
    QVERIFY(QTest::qWaitForWindowExposed(preview));
    preview->resize(333, 222);
    preview->move(40, 50);
    QTRY_COMPARE(preview->pos(), QPoint(40, 50));
    preview->close();
    QTRY_VERIFY(preview.isNull());

    const auto& values = f_->platform.settings.values;
    QCOMPARE(values.value(QStringLiteral("Preview Window/Width")), QStringLiteral("4995"));
    QCOMPARE(values.value(QStringLiteral("Preview Window/Height")), QStringLiteral("3330"));
    QCOMPARE(values.value(QStringLiteral("Preview Window/X")), QStringLiteral("600"));
    QCOMPARE(values.value(QStringLiteral("Preview Window/Y")), QStringLiteral("750"));
    for (const QString& key : values.keys()) {
        QVERIFY2(key.startsWith(QStringLiteral("Preview Window/")), qPrintable(key));
    }

    QVERIFY(showActive(w()));
    QTest::keyClick(w()->Text2, Qt::Key_F2);
    QVERIFY(wiring_->preview() != nullptr);
    QCOMPARE(wiring_->preview()->size(), QSize(333, 222));
    QCOMPARE(wiring_->preview()->pos(), QPoint(40, 50));
}

void PreviewWindowTest::goesWithTheTemplateWindow_data() {
    QTest::addColumn<bool>("exit");
    QTest::newRow("E&xit") << true;
    QTest::newRow("closed") << false;
}

// With the template window gone there is nothing to follow: the preview closes too, storing its
// place and size; an open picker stays.
void PreviewWindowTest::goesWithTheTemplateWindow() {
    QFETCH(bool, exit);
    wiring_->openPreview();
    QPointer<PreviewWindow> preview = wiring_->preview();
    QTest::mouseClick(w()->Command5, Qt::LeftButton);
    QPointer<frmMain> picker = f_->host->picker();
    if (exit) {
        QTest::mouseClick(w()->Command4, Qt::LeftButton);
    } else {
        w()->close();
    }
    QTRY_VERIFY(preview.isNull());
    QVERIFY(f_->window.isNull());
    QCOMPARE(picker.isNull(), exit);
    QVERIFY(f_->platform.settings.values.contains(QStringLiteral("Preview Window/Width")));
    if (!exit) {
        QVERIFY(showActive(picker));
        QTest::keyClick(picker->focusWidget() ? picker->focusWidget() : picker.data(), Qt::Key_F2);
        QVERIFY(wiring_->preview() == nullptr);
    }
}

void PreviewWindowTest::damagedPlaceFallsBack_data() {
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("defaultSize");

    const QString huge(1 << 20, u'9');
    QTest::newRow("letters") << "abc"
                             << "x1"
                             << "wide"
                             << "tall" << true;
    QTest::newRow("empty") << ""
                           << ""
                           << ""
                           << "" << true;
    QTest::newRow("not finite") << "nan"
                                << "inf"
                                << "-inf"
                                << "1e999" << true;
    QTest::newRow("megabyte of digits") << huge << huge << huge << huge << true;
    QTest::newRow("below the least size") << "0"
                                          << "0"
                                          << "-4500"
                                          << "15" << true;
    QTest::newRow("far off the screen") << "150000000"
                                        << "-90000000"
                                        << "6000"
                                        << "4500" << false;
    QTest::newRow("beyond the right edge") << "600000"
                                           << "0"
                                           << "6000"
                                           << "4500" << false;
    QTest::newRow("larger than the screen") << "0"
                                            << "0"
                                            << "9000000"
                                            << "9000000" << false;
    QTest::newRow("binary") << QString(QChar(0)) + "\x01\xff"
                            << "\t"
                            << "1,5"
                            << "0x100" << true;
}

// Whatever the preview's section holds, the preview opens on the screen, in the default size
// where the stored one cannot be read.
void PreviewWindowTest::damagedPlaceFallsBack() {
    QFETCH(QString, x);
    QFETCH(QString, y);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(bool, defaultSize);
    auto& values = f_->platform.settings.values;
    values.insert(QStringLiteral("Preview Window/X"), x);
    values.insert(QStringLiteral("Preview Window/Y"), y);
    values.insert(QStringLiteral("Preview Window/Width"), width);
    values.insert(QStringLiteral("Preview Window/Height"), height);

    wiring_->openPreview();
    PreviewWindow* preview = wiring_->preview();
    QVERIFY(preview != nullptr);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(liesOn(QRect(preview->pos(), preview->size()), screen),
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(preview->x())
                            .arg(preview->y())
                            .arg(preview->width())
                            .arg(preview->height())));
    if (defaultSize) {
        QCOMPARE(preview->size(), kDefaultPreviewSize);
    }
}

QTEST_MAIN(PreviewWindowTest)
#include "tst_preview_window.moc"
