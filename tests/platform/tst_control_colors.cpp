// SPDX-License-Identifier: MIT
// The result box's fore color colors its text and nothing else: its scroll bars, border and
// selection keep the system's colors, under a light and a dark palette alike.

#include "app/template_window.h"
#include "platform/color_swatch.h"
#include "platform/control_colors.h"
#include "support/dark_palette.h"
#include "support/template_fixture.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>

using namespace hueprint;
using hueprint::testing::TemplateFixture;

namespace {

constexpr std::array<QPalette::ColorGroup, 3> kGroups = {QPalette::Active, QPalette::Inactive,
                                                         QPalette::Disabled};

// The palette roles a scroll bar draws its arrows, frame and groove with.
void checkScrollBarsKeepSystemColors(const QPlainTextEdit& box, const QPalette& system) {
    for (const QScrollBar* bar : {box.verticalScrollBar(), box.horizontalScrollBar()}) {
        for (const QPalette::ColorGroup group : kGroups) {
            for (const QPalette::ColorRole role :
                 {QPalette::ButtonText, QPalette::WindowText, QPalette::Text, QPalette::Button,
                  QPalette::Window}) {
                QVERIFY2(bar->palette().color(group, role) == system.color(group, role),
                         qPrintable(QStringLiteral("group %1 role %2 is %3")
                                        .arg(group)
                                        .arg(role)
                                        .arg(bar->palette().color(group, role).name())));
            }
        }
    }
    // The border and the selection are drawn from the box's own palette.
    for (const QPalette::ColorGroup group : kGroups) {
        for (const QPalette::ColorRole role :
             {QPalette::Highlight, QPalette::HighlightedText, QPalette::Base, QPalette::Window,
              QPalette::Button, QPalette::Light, QPalette::Dark, QPalette::Mid}) {
            QCOMPARE(box.palette().color(group, role), system.color(group, role));
        }
    }
}

// Pixels of the drawn scroll bar close to the given color.
int pixelsLike(QWidget* widget, const QColor& color) {
    const QImage image = widget->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - color.red()) < 40 &&
                std::abs(pixel.green() - color.green()) < 40 &&
                std::abs(pixel.blue() - color.blue()) < 40) {
                ++count;
            }
        }
    }
    return count;
}

} // namespace

class ControlColorsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { initial_ = QApplication::palette(); }
    void cleanup();
    void foreColorColorsOnlyTheText_data();
    void foreColorColorsOnlyTheText();
    void scrollBarsFollowAChangeOfPalette();

private:
    QPalette initial_;
};

void ControlColorsTest::cleanup() {
    QApplication::setPalette(initial_);
}

void ControlColorsTest::foreColorColorsOnlyTheText_data() {
    QTest::addColumn<bool>("dark");
    QTest::addColumn<int>("swatch");
    QTest::newRow("light, red") << false << 10;
    QTest::newRow("light, black") << false << 1;
    QTest::newRow("dark, red") << true << 10;
    QTest::newRow("dark, black") << true << 1;
}

void ControlColorsTest::foreColorColorsOnlyTheText() {
    QFETCH(bool, dark);
    QFETCH(int, swatch);
    if (dark) {
        QApplication::setPalette(hueprint::testing::darkPalette());
    }
    const QPalette system = QApplication::palette();
    TemplateFixture f;
    QVERIFY(f.showActive());
    QPlainTextEdit& box = *f.window->Text1;
    // Before any choice the text is in the highlight color; the scroll bars are not.
    checkScrollBarsKeepSystemColors(box, system);

    // Enough lines that the scroll bar has somewhere to scroll.
    f.window->Text2->setPlainText(QStringLiteral("Gold Mine\nLumber Mill\nFarm\nBarracks\n"
                                                 "Blacksmith\nTower\nAltar\nWorkshop"));
    QTest::mouseClick(f.window->Picture(swatch), Qt::LeftButton);
    const QColor chosen = resolveColor(f.window->Picture(swatch)->backColor(), system);
    QCOMPARE(box.palette().color(QPalette::Text), chosen);
    QCOMPARE(foreColor(&box), f.window->Picture(swatch)->backColor());
    checkScrollBarsKeepSystemColors(box, system);

    // As drawn: nothing of the scroll bar is in red.
    if (swatch == 10) {
        QCOMPARE(pixelsLike(box.verticalScrollBar(), chosen), 0);
    }
}

void ControlColorsTest::scrollBarsFollowAChangeOfPalette() {
    TemplateFixture f;
    QVERIFY(f.showActive());
    QTest::mouseClick(f.window->Picture(10), Qt::LeftButton);
    checkScrollBarsKeepSystemColors(*f.window->Text1, QApplication::palette());
    QApplication::setPalette(hueprint::testing::darkPalette());
    QCoreApplication::processEvents(); // the change reaches the widgets as posted events
    checkScrollBarsKeepSystemColors(*f.window->Text1, QApplication::palette());
    QCOMPARE(f.window->Text1->palette().color(QPalette::Text), QColor(255, 0, 0));
}

QTEST_MAIN(ControlColorsTest)
#include "tst_control_colors.moc"
