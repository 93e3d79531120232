// SPDX-License-Identifier: MIT
#include "first_paint_report.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace hueprint {

namespace {

// Kept on the window itself, so that a window made afresh reports its own first paint.
const char* const kReportedProperty = "hueprintFirstPaintReported";

void report(const QWidget* window) {
    // QDeadlineTimer reads CLOCK_MONOTONIC; std::clock() the process's CPU time.
    const qint64 ns = QDeadlineTimer::current(Qt::PreciseTimer).deadlineNSecs();
    const long long cpuUs = std::clock() * 1000000LL / CLOCKS_PER_SEC;
    const QRect g = window != nullptr ? window->geometry() : QRect();
    const QByteArray name = window != nullptr ? window->objectName().toUtf8() : QByteArray("?");
    std::fprintf(stderr, "first-paint %s %lld %lld %d %d %d %d\n", name.constData(),
                 static_cast<long long>(ns), cpuUs, g.x(), g.y(), g.width(), g.height());
    std::fflush(stderr);
}

class FirstPaintReporter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && !widget->property(kReportedProperty).toBool()) {
                widget->setProperty(kReportedProperty, true);
                // The window is painted first, then its children, then the whole is flushed
                // to the display; a zero timer runs once all of that is done.
                QTimer::singleShot(0, this,
                                   [window = QPointer<QWidget>(widget)] { report(window); });
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void reportFirstPaintsWhenAsked() {
    if (qEnvironmentVariableIsEmpty("HUEPRINT_REPORT_FIRST_PAINT")) {
        return;
    }
    auto* app = QCoreApplication::instance();
    app->installEventFilter(new FirstPaintReporter(app));
}

} // namespace hueprint
