// SPDX-License-Identifier: MIT
#include "window_setup.h"

#include "platform/taskbar_presence.h"
#include "platform/twips.h"
#include "platform/ui_font.h"
#include "window_placement.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <vector>

namespace hueprint {

namespace {

// The icon in every size the program ships, 32 x 32 its design size, so that title bars, task
// switchers and docks each draw the size they need instead of scaling one up. The larger sizes
// are rendered from resources/hueprint.svg; PNGs rather than the SVG itself, because drawing an
// SVG would load the toolkit's SVG engine at every start.
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

// Each size is a PNG among the program's resources, decoded once per process (both windows
// carry the icon). Read with its format named and format detection off: detection would load
// every image-format plugin installed (GIF, ICO, JPEG, ...) just to ask each whether it reads
// PNG, which costs start-up time and memory.
const std::vector<QImage>& iconImages() {
    static const std::vector<QImage> images = [] {
        std::vector<QImage> decoded;
        for (const int size : kIconSizes) {
            QImageReader reader(QStringLiteral(":/icons/hueprint-%1.png").arg(size),
                                QByteArrayLiteral("png"));
            reader.setAutoDetectImageFormat(false);
            decoded.push_back(reader.read());
        }
        return decoded;
    }();
    return images;
}

QIcon programIcon() {
    QIcon icon;
    for (const QImage& image : iconImages()) {
        icon.addPixmap(QPixmap::fromImage(image));
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
    window->setWindowTitle(caption);
    window->setWindowIcon(programIcon());
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
    centerWithFrame(window, screen->availableGeometry());
}

void applyTabOrder(const std::vector<QWidget*>& order) {
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

} // namespace hueprint
