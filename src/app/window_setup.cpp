#include "window_setup.h"

#include "platform/twips.h"
#include "platform/ui_font.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QWidget>

namespace hueprint {

void setupFixedWindow(QWidget* window, const QString& caption, int clientWidthTwips,
                      int clientHeightTwips, WindowKind kind) {
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    flags |= kind == WindowKind::Main ? Qt::Window : Qt::Tool;
    window->setWindowFlags(flags);
    window->setWindowTitle(caption);
    window->setWindowIcon(QIcon(QStringLiteral(":/icons/hueprint-32.png")));
    window->setFont(designFont());
    window->setFixedSize(pixelsFromTwips(clientWidthTwips), pixelsFromTwips(clientHeightTwips));
    window->setAttribute(Qt::WA_DeleteOnClose);
}

void centerOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    QRect frame(QPoint(), window->size());
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void applyTabOrder(const std::vector<QWidget*>& order) {
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace hueprint
