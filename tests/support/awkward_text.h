// SPDX-License-Identifier: MIT
#pragma once

// Text with characters that plain-text conversions like to rewrite, as a user can type or
// paste it, and how the text boxes hold it.

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace hueprint::testing {

// Columns "text" (what the user types or pastes), "lines" (what a multi-line box holds of it,
// read line by line with "\n" between the lines) and "typeable" (whether a keyboard or input
// method can deliver it as typed characters).
//
// A line edit holds every text unchanged. A multi-line box holds every character unchanged
// except the line breaks: "\n", "\r\n", a lone "\r", a paragraph separator (U+2029) and the
// marks U+FDD0 and U+FDD1 each end one of its lines, so they come out as "\n". A line
// separator (U+2028) stays within its line and comes out as itself.
inline void addAwkwardTextRows() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<bool>("typeable");

    const auto same = [](const char* name, const QString& text, bool typeable) {
        QTest::newRow(name) << text << text << typeable;
    };
    same("no-break space", QStringLiteral("x\u00A0y"), true);
    same("line separator", QStringLiteral("x\u2028y"), true);
    same("zero-width joiner", QStringLiteral("\U0001F469\u200D\U0001F4BB"), true);
    same("zero-width no-break space", QStringLiteral("x\uFEFFy"), true);
    // A keyboard gives no half characters, and Tab moves the focus on.
    same("lone high surrogate", QStringLiteral("x") + QChar(0xD800) + QStringLiteral("y"), false);
    same("lone low surrogate", QStringLiteral("x") + QChar(0xDC00) + QStringLiteral("y"), false);
    same("tab", QStringLiteral("a\tb"), false);
    same("NUL", QStringLiteral("a") + QChar(0) + QStringLiteral("b"), false);
    same("line feeds", QStringLiteral("a\n\nb\n"), false);
    same("bars and closing marks", QStringLiteral("|r|cFF|"), true);

    const auto broken = [](const char* name, const QString& text, const QString& lines,
                           bool typeable) {
        QTest::newRow(name) << text << lines << typeable;
    };
    broken("paragraph separator", QStringLiteral("x\u2029y"), QStringLiteral("x\ny"), true);
    broken("CR LF", QStringLiteral("a\r\nb"), QStringLiteral("a\nb"), false);
    broken("lone CR", QStringLiteral("a\rb"), QStringLiteral("a\nb"), false);
    broken("U+FDD0 and U+FDD1", QStringLiteral("a\uFDD0b\uFDD1c"), QStringLiteral("a\nb\nc"),
           false);
}

// What a multi-line box holds, line by line, with "\n" between the lines.
inline QString linesOf(const QPlainTextEdit& box) {
    QStringList lines;
    for (QTextBlock block = box.document()->begin(); block.isValid(); block = block.next()) {
        lines << block.text();
    }
    return lines.join(QLatin1Char('\n'));
}

// Types the text into the widget one character at a time (a surrogate pair is one character),
// each as the text of a key press, the way a keyboard layout or an input method delivers it.
inline void typeCharacters(QWidget* widget, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QString character = text.mid(i, length);
        i += length - 1;
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, character);
        QApplication::sendEvent(widget, &release);
    }
}

// Puts the text on the system clipboard and pastes it into the widget with Ctrl+V.
inline void pasteWithKeyboard(QWidget* widget, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

} // namespace hueprint::testing
