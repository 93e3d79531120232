// SPDX-License-Identifier: MIT
// The design font's substitute, with the narrow face installed and without it. CTest runs this
// program once on the system's fonts and once each with a fontconfig file that hides faces
// (tests/CMakeLists.txt), and says through the environment which face must be drawn then:
//   HUEPRINT_TEST_FONT_FACE     the family the design font must resolve to
//   HUEPRINT_TEST_FONT_STRETCH  "none" (drawn as the face is) or "condensed"
// Whatever the face, both windows start and no caption is clipped.
#include "app/picker_window.h"
#include "app/template_window.h"
#include "platform/ui_font.h"
#include "support/template_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QtTest>

using namespace hueprint;
using namespace hueprint::testing;

namespace {

QString visibleText(QString caption) {
    return caption.remove(QLatin1Char('&'));
}

// The width a control's caption needs inside it: the text, and the room the control's own
// drawing takes (button bevel, frame border, check or radio indicator).
int neededWidth(const QWidget* control, const QString& caption) {
    const int text = control->fontMetrics().horizontalAdvance(visibleText(caption));
    const QStyle* style = control->style();
    if (qobject_cast<const QPushButton*>(control) != nullptr) {
        return text + 8;
    }
    if (qobject_cast<const QGroupBox*>(control) != nullptr) {
        return text + 16;
    }
    if (qobject_cast<const QCheckBox*>(control) != nullptr) {
        return text + style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, control) +
               style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, control);
    }
    if (qobject_cast<const QRadioButton*>(control) != nullptr) {
        return text + style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, control) +
               style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, control);
    }
    return text; // a label
}

// Checks every caption of a window: buttons, option buttons, check boxes, frames and labels.
void checkCaptionsFit(const QWidget* window) {
    int checked = 0;
    for (const QWidget* control : window->findChildren<QWidget*>()) {
        QString caption;
        if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
            caption = button->text();
        } else if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
            caption = frame->title();
        } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
            caption = label->text();
        }
        if (caption.isEmpty()) {
            continue;
        }
        ++checked;
        const int needed = neededWidth(control, caption);
        QVERIFY2(needed <= control->width(),
                 qPrintable(QStringLiteral("%1 \"%2\" needs %3 px, has %4 (face %5)")
                                .arg(control->objectName(), caption)
                                .arg(needed)
                                .arg(control->width())
                                .arg(QFontInfo(control->font()).family())));
    }
    QVERIFY(checked > 0);
}

} // namespace

class UiFontTest : public QObject {
    Q_OBJECT
private slots:
    void drawsTheExpectedFace();
    void bothWindowsStartWithEveryCaptionWhole();
};

void UiFontTest::drawsTheExpectedFace() {
    const QString face = qEnvironmentVariable("HUEPRINT_TEST_FONT_FACE");
    const QString stretch = qEnvironmentVariable("HUEPRINT_TEST_FONT_STRETCH");
    if (face.isEmpty() || stretch.isEmpty()) {
        QSKIP("HUEPRINT_TEST_FONT_FACE and HUEPRINT_TEST_FONT_STRETCH are set by CTest");
    }
    const QFont font = designFont();
    QCOMPARE(QFontInfo(font).family(), face);
    QCOMPARE(QFontInfo(designFont(kResultFontPoints)).family(), face);
    if (stretch == QLatin1String("none")) {
        QCOMPARE(font.stretch(), int(QFont::AnyStretch)); // the narrow face is drawn as it is
    } else {
        QVERIFY2(font.stretch() > 0 && font.stretch() < 100, qPrintable(face));
    }
    QCOMPARE(font.pointSizeF(), kDesignFontPoints); // condensed, never smaller
}

void UiFontTest::bothWindowsStartWithEveryCaptionWhole() {
    TemplateFixture program;
    QVERIFY(program.showActive());
    checkCaptionsFit(program.window);
    if (QTest::currentTestFailed()) {
        return;
    }
    // "C&ustom Color" opens the picker, as a user would.
    QTest::mouseClick(program.window->Command5, Qt::LeftButton);
    QTRY_VERIFY(program.host->picker() != nullptr);
    frmMain* picker = program.host->picker();
    QTRY_VERIFY(picker->isVisible());
    checkCaptionsFit(picker);
}

QTEST_MAIN(UiFontTest)
#include "tst_ui_font.moc"
