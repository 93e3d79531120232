// SPDX-License-Identifier: MIT
#include "control_colors.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QScrollBar>
#include <QVariant>
#include <QWidget>

namespace hueprint {

namespace {
const char* const kForeColorProperty = "hueprintForeColor";
const char* const kBackColorProperty = "hueprintBackColor";
const char* const kScrollBarsKeptProperty = "hueprintScrollBarsKept";

ColorValue storedColor(const QWidget* control, const char* property, ColorValue fallback) {
    const QVariant stored = control->property(property);
    return stored.isValid() ? stored.value<ColorValue>() : fallback;
}

// A scrolling box draws its text from its own palette, which its scroll bars would inherit
// (their arrows are drawn in the text colors). The fore color is for the text alone: the
// scroll bars keep the colors the box's surroundings give, the system's.
void keepScrollBarsOnSurroundingColors(QAbstractScrollArea* box) {
    const QWidget* surroundings = box->parentWidget();
    const QPalette system =
        surroundings != nullptr ? surroundings->palette() : QApplication::palette(box);
    QPalette pinned; // no role set but those below; the rest is inherited as usual
    for (const QPalette::ColorGroup group :
         {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText}) {
            pinned.setColor(group, role, system.color(group, role));
        }
    }
    for (QScrollBar* bar : {box->verticalScrollBar(), box->horizontalScrollBar()}) {
        bar->setPalette(pinned);
    }
}

// Keeps a box's scroll bars on the system's colors when these change (another theme).
class ScrollBarColorKeeper final : public QObject {
public:
    explicit ScrollBarColorKeeper(QAbstractScrollArea* box) : QObject(box), box_(box) {
        if (box->parentWidget() != nullptr) {
            box->parentWidget()->installEventFilter(this);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange) {
            keepScrollBarsOnSurroundingColors(box_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QAbstractScrollArea* box_;
};
} // namespace

void setForeColor(QWidget* control, ColorValue color) {
    control->setProperty(kForeColorProperty, color);
    QPalette palette = control->palette();
    const QColor drawn = resolveColor(color, palette);
    palette.setColor(QPalette::Text, drawn);
    palette.setColor(QPalette::WindowText, drawn);
    control->setPalette(palette);
    if (auto* box = qobject_cast<QAbstractScrollArea*>(control)) {
        if (!box->property(kScrollBarsKeptProperty).toBool()) {
            box->setProperty(kScrollBarsKeptProperty, true);
            new ScrollBarColorKeeper(box);
        }
        keepScrollBarsOnSurroundingColors(box);
    }
}

ColorValue foreColor(const QWidget* control) {
    return storedColor(control, kForeColorProperty,
                       colorValueOf(control->palette().color(QPalette::Text)));
}

void setBackColor(QWidget* control, ColorValue color) {
    control->setProperty(kBackColorProperty, color);
    QPalette palette = control->palette();
    const QColor drawn = resolveColor(color, QPalette());
    // A disabled box draws its base from the disabled group; keep the chosen color there too.
    palette.setColor(QPalette::All, QPalette::Base, drawn);
    control->setPalette(palette);
}

ColorValue backColor(const QWidget* control) {
    return storedColor(control, kBackColorProperty,
                       colorValueOf(control->palette().color(QPalette::Base)));
}

} // namespace hueprint
