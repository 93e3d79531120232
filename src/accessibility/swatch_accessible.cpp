// SPDX-License-Identifier: MIT
#include "swatch_accessible.h"

#include "announcement.h"
#include "platform/color_swatch.h"

#include <QAccessibleWidget>

namespace hueprint {

namespace {

const char* const kNameProperty = "hueprintAccessibleName";

class SwatchAccessible final : public QAccessibleWidget {
public:
    explicit SwatchAccessible(ColorSwatch* swatch)
        : QAccessibleWidget(swatch, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        // The tooltip says what the name says; read it once, not again as the description.
        if (kind == QAccessible::Description) {
            return widget()->accessibleDescription();
        }
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            QString name = widget()->property(kNameProperty).toString();
            if (!name.isEmpty()) {
                return name;
            }
        }
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction()) {
            if (widget()->isEnabled()) {
                emit static_cast<ColorSwatch*>(widget())->clicked();
            }
            return;
        }
        QAccessibleWidget::doAction(actionName);
    }
};

QAccessibleInterface* swatchFactory(const QString& className, QObject* object) {
    if (className != QLatin1String(ColorSwatch::staticMetaObject.className())) {
        return nullptr;
    }
    auto* swatch = qobject_cast<ColorSwatch*>(object);
    return swatch != nullptr ? new SwatchAccessible(swatch) : nullptr;
}

} // namespace

void installSwatchAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(&swatchFactory);
        return true;
    }();
    (void)installed;
}

void setSwatchAccessibleName(ColorSwatch* swatch, const QString& name) {
    if (swatch->property(kNameProperty).toString() == name) {
        return;
    }
    swatch->setProperty(kNameProperty, name);
    QAccessibleEvent changed(swatch, QAccessible::NameChanged);
    announce(&changed);
}

} // namespace hueprint
