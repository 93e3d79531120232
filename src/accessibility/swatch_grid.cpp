// SPDX-License-Identifier: MIT
#include "swatch_grid.h"

#include "platform/color_swatch.h"

#include <QButtonGroup>
#include <QKeyEvent>

namespace hueprint {

namespace {

// The toolkit moves the focus between the buttons of one group by their places on the arrow
// keys; a button takes Return only as a window's default button, and Home and End not at all.
class GridKeys final : public QObject {
public:
    GridKeys(std::vector<ColorSwatch*> swatches, QObject* parent)
        : QObject(parent), swatches_(std::move(swatches)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() != Qt::NoModifier && key->modifiers() != Qt::KeypadModifier) {
            return false;
        }
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Held down, the key presses once, as Space does.
            if (!key->isAutoRepeat()) {
                static_cast<ColorSwatch*>(watched)->click();
            }
            return true;
        case Qt::Key_Home:
            swatches_.front()->setFocus(Qt::BacktabFocusReason);
            return true;
        case Qt::Key_End:
            swatches_.back()->setFocus(Qt::TabFocusReason);
            return true;
        default:
            return false;
        }
    }

private:
    std::vector<ColorSwatch*> swatches_;
};

} // namespace

QButtonGroup* navigateAsGrid(const std::vector<ColorSwatch*>& swatches) {
    auto* group = new QButtonGroup(swatches.front()->parentWidget());
    group->setExclusive(false); // the swatches are not checked; the group is for the arrow keys
    auto* keys = new GridKeys(swatches, group);
    for (ColorSwatch* swatch : swatches) {
        group->addButton(swatch);
        swatch->installEventFilter(keys);
    }
    return group;
}

} // namespace hueprint
