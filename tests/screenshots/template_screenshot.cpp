// SPDX-License-Identifier: MIT
// Takes a screenshot of the real template window under a light or a dark Fusion palette,
// after the user has typed a few lines and chosen a preset swatch. For the README's
// screenshots only (scripts/screenshots.sh palette); the program itself keeps the desktop's
// style and palette.
//
// template_screenshot <light|dark> <swatch 1-48> <out.png>

#include "app/template_window.h"
#include "platform/color_swatch.h"
#include "platform/ui_font.h"
#include "support/dark_palette.h"
#include "support/template_fixture.h"

#include <QApplication>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    bool numberOk = false;
    const int swatch = args.size() == 4 ? args.at(2).toInt(&numberOk) : 0;
    if (args.size() != 4 || !numberOk || swatch < 1 || swatch > 48 ||
        (args.at(1) != QLatin1String("light") && args.at(1) != QLatin1String("dark"))) {
        std::fprintf(stderr, "usage: template_screenshot <light|dark> <swatch 1-48> <out.png>\n");
        return 2;
    }
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(args.at(1) == QLatin1String("dark")
                                 ? hueprint::testing::darkPalette()
                                 : QApplication::style()->standardPalette());
    QApplication::setFont(hueprint::designFont());

    hueprint::testing::TemplateFixture f;
    hueprint::Form1& form = *f.window;
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        std::fprintf(stderr, "the window was not shown\n");
        return 1;
    }
    form.Text2->setFocus();
    QTest::keyClicks(form.Text2, QStringLiteral("Gold Mine"));
    for (const char* line : {"Lumber Mill", "Farm", "Barracks", "Blacksmith", "Tower", "Altar"}) {
        QTest::keyClick(form.Text2, Qt::Key_Return);
        QTest::keyClicks(form.Text2, QString::fromLatin1(line));
    }
    QTest::mouseClick(form.Picture(swatch), Qt::LeftButton);
    // The window's pixels as the display server shows them, once they are what it draws.
    QPixmap shot;
    const bool drawn = QTest::qWaitFor([&form, &shot] {
        shot = form.screen()->grabWindow(form.winId());
        const auto pixels = [](const QPixmap& pixmap) {
            return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
        };
        return pixels(shot) == pixels(form.grab());
    });
    if (!drawn || !shot.save(args.at(3), "PNG")) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(args.at(3)));
        return 1;
    }
    return 0;
}
