// SPDX-License-Identifier: MIT
#include "first_paint_report.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>

namespace hueprint {

namespace {

class FirstPaintReporter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && !reported_.contains(widget)) {
                reported_.insert(widget);
                // A window made afresh at the same address reports its own first paint.
                connect(widget, &QObject::destroyed, this,
                        [this, widget] { reported_.remove(widget); });
                // The window is painted first, then its children, then the whole is flushed
                // to the display; a zero timer runs once all of that is done.
                QTimer::singleShot(0, this, [window = QPointer<QWidget>(widget)] {
                    timespec now{};
                    clock_gettime(CLOCK_MONOTONIC, &now);
                    rusage usage{};
                    getrusage(RUSAGE_SELF, &usage);
                    const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec;
                    const long long cpuUs =
                        (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000LL +
                        usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
                    const QRect g = window.isNull() ? QRect() : window->geometry();
                    const QByteArray name =
                        window.isNull() ? QByteArray("?") : window->objectName().toUtf8();
                    std::fprintf(stderr, "first-paint %s %lld %lld %d %d %d %d\n", name.constData(),
                                 ns, cpuUs, g.x(), g.y(), g.width(), g.height());
                    std::fflush(stderr);
                });
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QSet<const QObject*> reported_;
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
