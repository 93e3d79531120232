// SPDX-License-Identifier: MIT
// What both real windows announce to a screen reader: every control that takes the focus has
// a name of its own and a fitting role, the swatches name their colors and follow them, and a
// change of color is announced.

#include "accessibility/announcement.h"
#include "app/picker_window.h"
#include "app/template_window.h"
#include "picker/favorites.h"
#include "platform/color_swatch.h"
#include "support/template_fixture.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLineEdit>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>
#include <vector>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

namespace {

// The role a control of each kind must announce.
QAccessible::Role fittingRole(const QWidget* control) {
    if (qobject_cast<const ColorSwatch*>(control) != nullptr ||
        qobject_cast<const QPushButton*>(control) != nullptr) {
        return QAccessible::Button;
    }
    if (qobject_cast<const QLineEdit*>(control) != nullptr ||
        qobject_cast<const QPlainTextEdit*>(control) != nullptr) {
        return QAccessible::EditableText;
    }
    if (qobject_cast<const QSlider*>(control) != nullptr) {
        return QAccessible::Slider;
    }
    if (qobject_cast<const QCheckBox*>(control) != nullptr) {
        return QAccessible::CheckBox;
    }
    if (qobject_cast<const QRadioButton*>(control) != nullptr) {
        return QAccessible::RadioButton;
    }
    return QAccessible::NoRole;
}

QString controlName(const QWidget* control) {
    const QVariant index = control->property("index");
    return index.isValid() ? QStringLiteral("%1(%2)").arg(control->objectName()).arg(index.toInt())
                           : control->objectName();
}

QString roleName(QAccessible::Role role) {
    return QString::fromLatin1(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

QString accessibleName(QWidget* control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    return iface != nullptr ? iface->text(QAccessible::Name) : QString();
}

// Every control of the window that the keyboard reaches, in tab order from the first.
std::vector<QWidget*> focusableControls(QWidget* window, QWidget* first) {
    std::vector<QWidget*> controls;
    QWidget* w = first;
    do {
        if (window->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) != 0) {
            controls.push_back(w);
        }
        w = w->nextInFocusChain();
    } while (w != first);
    return controls;
}

// The accessibility events raised while a test runs.
std::vector<std::pair<QPointer<QObject>, QAccessible::Event>> g_events;
void recordEvent(QAccessibleEvent* event) {
    g_events.emplace_back(event->object(), event->type());
}

bool nameChangeAnnounced(QObject* object) {
    return std::any_of(g_events.begin(), g_events.end(), [object](const auto& event) {
        return event.first == object && event.second == QAccessible::NameChanged;
    });
}

} // namespace

class WindowAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void focusableControlsHaveNamesAndRoles();
    void swatchNamesFollowTheirColors();
    void pressActionClicksTheSwatch();

private:
    std::unique_ptr<TemplateFixture> f_;
    AccessibilityListener previousListener_ = nullptr;
    frmMain* picker() { return f_->host->picker(); }
};

void WindowAccessibilityTest::init() {
    f_ = std::make_unique<TemplateFixture>();
    QVERIFY(f_->showActive());
    QTest::mouseClick(f_->window->Command5, Qt::LeftButton); // "C&ustom Color"
    QVERIFY(picker() != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(picker()));
    g_events.clear();
    previousListener_ = installAccessibilityListener(&recordEvent);
}

void WindowAccessibilityTest::cleanup() {
    installAccessibilityListener(previousListener_);
    f_.reset();
}

void WindowAccessibilityTest::focusableControlsHaveNamesAndRoles() {
    struct Row {
        QString window, control, role, name;
    };
    std::vector<Row> table;
    QMap<QString, QString> owners; // accessible name -> the control that announces it
    const std::vector<std::pair<QWidget*, QWidget*>> windows = {
        {f_->window, f_->window->Text3}, {picker(), picker()->picFavorite[0]}};
    for (const auto& [window, first] : windows) {
        const std::vector<QWidget*> controls = focusableControls(window, first);
        QVERIFY(!controls.empty());
        for (QWidget* control : controls) {
            const QString id = window->objectName() + QLatin1Char(' ') + controlName(control);
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(iface != nullptr, qPrintable(id));
            const QString name = iface->text(QAccessible::Name);
            table.push_back(
                {window->objectName(), controlName(control), roleName(iface->role()), name});

            QVERIFY2(fittingRole(control) != QAccessible::NoRole, qPrintable(id));
            QVERIFY2(iface->role() == fittingRole(control),
                     qPrintable(id + QStringLiteral(" announces ") + roleName(iface->role())));
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(id));
            QVERIFY2(!owners.contains(name),
                     qPrintable(id + QStringLiteral(" and ") + owners.value(name) +
                                QStringLiteral(" both announce ") + name));
            owners.insert(name, id);
            if (const auto* swatch = qobject_cast<const ColorSwatch*>(control)) {
                QCOMPARE(swatch->toolTip(), name);
                QVERIFY2(iface->actionInterface() != nullptr &&
                             iface->actionInterface()->actionNames().contains(
                                 QAccessibleActionInterface::pressAction()),
                         qPrintable(id));
            }
        }
    }
    // The template window's 57 (Text3 to Command5 with the 49 swatches) and the picker's 32.
    QCOMPARE(table.size(), std::size_t{57 + 32});
    qInfo("window | control | role | name");
    for (const Row& row : table) {
        qInfo("%s | %s | %s | %s", qPrintable(row.window), qPrintable(row.control),
              qPrintable(row.role), qPrintable(row.name));
    }
}

void WindowAccessibilityTest::swatchNamesFollowTheirColors() {
    Form1& form = *f_->window;
    QCOMPARE(accessibleName(form.Picture49), QStringLiteral("Chosen Color: Black, |cFF000000"));
    QCOMPARE(accessibleName(form.Picture(10)), QStringLiteral("Red, |cFFFF0000"));
    QCOMPARE(accessibleName(picker()->picFavorite[0]),
             QStringLiteral("Favorite 1: Dark Blue, |cFF000080"));

    QTest::mouseClick(form.Picture(28), Qt::LeftButton);
    QCOMPARE(accessibleName(form.Picture49), QStringLiteral("Chosen Color: Green, |cFF00FF00"));
    QCOMPARE(form.Picture49->toolTip(), accessibleName(form.Picture49));
    QVERIFY(nameChangeAnnounced(form.Picture49));

    // A favorite's click makes its color current; a drop of the current color stores it.
    QTest::mouseClick(picker()->picFavorite[11], Qt::LeftButton);
    QCOMPARE(accessibleName(picker()->picCurColor),
             QStringLiteral("Current Color: Red, |cFFFF0000"));
    QVERIFY(nameChangeAnnounced(picker()->picCurColor));

    g_events.clear();
    picker()->sldGreen->setFocus();
    QTest::keyClick(picker()->sldGreen, Qt::Key_PageUp);
    QCOMPARE(accessibleName(picker()->picCurColor),
             QStringLiteral("Current Color: Red, |cFFFF0500"));
    QVERIFY(nameChangeAnnounced(picker()->picCurColor));

    StoreFavorite(picker()->controls(), 4, picker()->picCurColor);
    QCOMPARE(accessibleName(picker()->picFavorite[4]),
             QStringLiteral("Favorite 5: Red, |cFFFF0500"));
    QCOMPARE(picker()->picFavorite[4]->toolTip(), accessibleName(picker()->picFavorite[4]));
    QVERIFY(nameChangeAnnounced(picker()->picFavorite[4]));
}

void WindowAccessibilityTest::pressActionClicksTheSwatch() {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(f_->window->Picture(16));
    QVERIFY(iface != nullptr && iface->actionInterface() != nullptr);
    iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The toolkit's press shows the button down for a moment before it clicks.
    QTRY_COMPARE(f_->window->Text3->text(), QStringLiteral("|cFFFF8000"));
    QCOMPARE(f_->window->Picture49->backColor(), 0x000080FF);
}

QTEST_MAIN(WindowAccessibilityTest)
#include "tst_window_accessibility.moc"
