// SPDX-License-Identifier: MIT
// What the editor window announces to a screen reader: every control the keyboard reaches, the
// panel and the notes included, has a name of its own and a fitting role; the bar's swatches
// say their colors as the template window's swatches do, and are pressed from the keyboard.

#include "app/preview_wiring.h"
#include "app/template_window.h"
#include "editor/color_bar.h"
#include "editor/preview_panel.h"
#include "editor/preview_window.h"
#include "platform/color_swatch.h"
#include "support/template_fixture.h"
#include "template/preset_palette.h"

#include <QAccessible>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

namespace {

QAccessible::Role fittingRole(const QWidget* control) {
    if (qobject_cast<const QAbstractButton*>(control) != nullptr) {
        return QAccessible::Button;
    }
    if (qobject_cast<const QPlainTextEdit*>(control) != nullptr) {
        return QAccessible::EditableText;
    }
    if (qobject_cast<const QTabBar*>(control) != nullptr) {
        return QAccessible::PageTabList;
    }
    return QAccessible::NoRole;
}

QString accessibleName(QWidget* control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    return iface != nullptr ? iface->text(QAccessible::Name) : QString();
}

} // namespace

class EditorAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void controlsHaveNamesAndRoles();
    void swatchesSayTheirColors();
    void windowAndColorsAreTold();

private:
    std::unique_ptr<TemplateFixture> f_;
    std::unique_ptr<PreviewWiring> wiring_;
    PreviewWindow* editor_ = nullptr;
};

void EditorAccessibilityTest::init() {
    f_ = std::make_unique<TemplateFixture>();
    wiring_ = std::make_unique<PreviewWiring>(f_->platform.services, f_->window, *f_->host);
    QVERIFY(f_->showActive());
    QTest::mouseClick(f_->window->Command5, Qt::LeftButton); // a picker: its color in the bar
    wiring_->openPreview();
    editor_ = wiring_->preview();
    QVERIFY(QTest::qWaitForWindowExposed(editor_));
}

void EditorAccessibilityTest::cleanup() {
    wiring_.reset();
    f_.reset();
}

// Tab from the panel round the window: each control reached announces a distinct name and the
// role of its kind.
void EditorAccessibilityTest::controlsHaveNamesAndRoles() {
    editor_->panel()->selectAll(); // "Gradient..." enabled
    QMap<QString, QString> owners; // accessible name -> the control that announces it
    QWidget* control = editor_->panel();
    int reached = 0;
    do {
        // A control that hands its focus on (the tabs to their bar) is announced by the other.
        if (editor_->isAncestorOf(control) && control->isVisibleTo(editor_) &&
            (control->focusPolicy() & Qt::TabFocus) != 0 && control->focusProxy() == nullptr) {
            ++reached;
            const QString id = QString::fromLatin1(control->metaObject()->className()) +
                               QLatin1Char(' ') + control->objectName();
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(iface != nullptr, qPrintable(id));
            const QString name = iface->text(QAccessible::Name);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(id));
            QVERIFY2(fittingRole(control) != QAccessible::NoRole, qPrintable(id));
            QVERIFY2(
                iface->role() == fittingRole(control),
                qPrintable(id + QStringLiteral(" announces ") +
                           QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(
                               iface->role()))));
            QVERIFY2(!owners.contains(name),
                     qPrintable(id + QStringLiteral(" and ") + owners.value(name) +
                                QStringLiteral(" both say ") + name));
            owners.insert(name, id);
        }
        control = control->nextInFocusChain();
    } while (control != editor_->panel());
    // The panel, the bar's buttons and swatches, its tabs and the notes.
    QVERIFY2(reached > kPresetSwatchCount + 6, qPrintable(QString::number(reached)));
    QVERIFY(owners.contains(accessibleName(editor_->notes())));
    QCOMPARE(accessibleName(editor_->panel()), QStringLiteral("In-Game Text"));
}

// A preset says what the template window's swatch of that color says; a player's color says the
// player; each is a button pressed by the keyboard and by its press action.
void EditorAccessibilityTest::swatchesSayTheirColors() {
    ColorBar* bar = editor_->colorBar();
    for (int number = 1; number <= kPresetSwatchCount; ++number) {
        QCOMPARE(accessibleName(bar->presetSwatch(number)),
                 accessibleName(f_->window->Picture(number)));
    }
    for (std::size_t i = 0; i < playerColors().size(); ++i) {
        const QString name = accessibleName(bar->playerSwatch(static_cast<int>(i) + 1));
        QVERIFY2(name.contains(QString::fromLatin1(playerColors()[i].name)), qPrintable(name));
    }
    QVERIFY(accessibleName(bar->goldSwatch()).contains(QStringLiteral("Hotkey Gold")));

    editor_->panel()->selectAll();
    QTest::keyClicks(editor_->panel(), QStringLiteral("ab"));
    editor_->panel()->selectAll();
    bar->presetSwatch(10)->setFocus();
    QTest::keyClick(bar->presetSwatch(10), Qt::Key_Space);
    QCOMPARE(editor_->markup(), QStringLiteral("|cFFFF0000ab|r"));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(bar->goldSwatch());
    QVERIFY(iface->actionInterface() != nullptr);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QTRY_COMPARE(editor_->markup(), QStringLiteral("|cFFFFCC00ab|r"));
}

// The window is a frame that says what it is for; the panel tells each character's color as a
// text attribute ("color", which the AT-SPI bridge reports as fg-color), so the gold Q of a
// tooltip is told apart from the white S.
void EditorAccessibilityTest::windowAndColorsAreTold() {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(editor_);
    QCOMPARE(window->role(), QAccessible::Window);
    QVERIFY(!window->text(QAccessible::Description).isEmpty());

    f_->window->Text1->setPlainText(QStringLiteral("Storm Bolt [|cffffcc00Q|r]"));
    QTRY_COMPARE(editor_->markup(), f_->window->Text1->toPlainText());
    QAccessibleTextInterface* text =
        QAccessible::queryAccessibleInterface(editor_->panel())->textInterface();
    QVERIFY(text != nullptr);
    int start = 0;
    int end = 0;
    const QString white = text->attributes(0, &start, &end);
    const QString gold = text->attributes(12, &start, &end);
    QVERIFY2(gold.contains(QStringLiteral(";color:rgb(255,204,0)")), qPrintable(gold));
    QVERIFY2(white.contains(QStringLiteral(";color:rgb(255,255,255)")), qPrintable(white));
    QCOMPARE(std::make_pair(start, end), std::make_pair(12, 13));
}

QTEST_MAIN(EditorAccessibilityTest)
#include "tst_editor_accessibility.moc"
