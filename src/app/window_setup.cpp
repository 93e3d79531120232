// SPDX-License-Identifier: MIT
#include "window_setup.h"

#include "platform/control_events.h"
#include "platform/frame_extents.h"
#include "platform/taskbar_presence.h"
#include "platform/twips.h"
#include "platform/ui_font.h"
#include "window_placement.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

namespace hueprint {

namespace {

// The icon in every size the program ships, smallest first, so that title bars, task switchers
// and docks each draw the size they need instead of scaling one up. PNGs
// rather than resources/hueprint.svg itself, because drawing an SVG would load the toolkit's SVG
// engine at every start; each is read with its format named and format detection off, which
// would load every image-format plugin installed just to ask each whether it reads PNG.
QIcon programIcon() {
    QIcon icon;
    for (const int size : {HUEPRINT_ICON_SIZES}) {
        QImageReader reader(QStringLiteral(":/icons/hueprint-%1.png").arg(size),
                            QByteArrayLiteral("png"));
        reader.setAutoDetectImageFormat(false);
        icon.addPixmap(QPixmap::fromImage(reader.read()));
    }
    return icon;
}

} // namespace

void setupFixedWindow(QWidget* window, const QString& caption, int clientWidthTwips,
                      int clientHeightTwips, WindowKind kind) {
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
    flags |= kind == WindowKind::Main ? Qt::Window : Qt::Tool;
    window->setWindowFlags(flags);
    // A tool window counts too: the program ends when the last of its windows is closed.
    window->setAttribute(Qt::WA_QuitOnClose);
    window->setWindowTitle(caption);
    // Every window shows the application's icon.
    if (QGuiApplication::windowIcon().isNull()) {
        QGuiApplication::setWindowIcon(programIcon());
    }
    window->setFont(designFont());
    window->setFixedSize(pixelsFromTwips(clientWidthTwips), pixelsFromTwips(clientHeightTwips));
    window->setAttribute(Qt::WA_DeleteOnClose);
    if (kind == WindowKind::Dialog) {
        keepOutOfTaskbar(window);
    }
}

void centerOnScreen(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // Centred as the user sees it, with the frame the window manager puts around it; before the
    // window is shown, the position moved to is that of its frame.
    const QMargins frame = frameMarginsBeforeShow(window).value_or(QMargins());
    window->move(centeredFramePosition(screen->availableGeometry(), window->size(), frame));
}

void detachHandlers(QWidget* window) {
    for (QObject* child : window->findChildren<QObject*>()) {
        child->disconnect(window);
        delete qobject_cast<ControlEvents*>(child); // its handlers belong to the window
    }
}

void applyTabOrder(const std::vector<QWidget*>& order) {
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace hueprint
