// SPDX-License-Identifier: MIT
#include "text_box_text.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace hueprint {

namespace {

// A box's raw text holds a paragraph separator at each break between two of its lines, and
// nowhere else (one typed or pasted becomes such a break).
QString withLineFeeds(QString raw) {
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return raw;
}

class OrdinaryLineBreaks final : public QObject {
public:
    explicit OrdinaryLineBreaks(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->matches(QKeySequence::InsertLineSeparator)) {
            return false;
        }
        QKeyEvent plain(QEvent::KeyPress, key->key(), key->modifiers() & ~Qt::ShiftModifier,
                        key->text(), key->isAutoRepeat(), key->count());
        QCoreApplication::sendEvent(watched, &plain);
        return true;
    }
};

} // namespace

QString textBoxText(const QPlainTextEdit& box) {
    return withLineFeeds(box.document()->toRawText());
}

QString selectedTextBoxText(const QPlainTextEdit& box) {
    return withLineFeeds(box.textCursor().selectedText());
}

void typeOrdinaryLineBreaks(QPlainTextEdit& box) {
    box.installEventFilter(new OrdinaryLineBreaks(&box));
}

} // namespace hueprint
