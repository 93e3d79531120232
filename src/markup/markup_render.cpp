// SPDX-License-Identifier: MIT
#include "markup/markup_render.h"

namespace hueprint {

namespace {

constexpr qsizetype kHexDigitsInCode = 8; // alpha, red, green, blue

int hexValue(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    return -1;
}

// How many hexadecimal digits follow from index on, counting at most kHexDigitsInCode.
qsizetype hexDigitsAt(const QString& markup, qsizetype index) {
    qsizetype count = 0;
    while (count < kHexDigitsInCode && index + count < markup.size() &&
           hexValue(markup.at(index + count)) >= 0) {
        ++count;
    }
    return count;
}

// The color of the eight digits from index on: the alpha pair skipped, red, green, blue.
ColorValue codeColor(const QString& markup, qsizetype index) {
    const auto component = [&markup, index](qsizetype pair) {
        return hexValue(markup.at(index + 2 * pair)) * 16 +
               hexValue(markup.at(index + 2 * pair + 1));
    };
    return rgbColor(component(1), component(2), component(3));
}

// Builds the runs: a new run starts at each change of color and at each "|n".
class RunBuilder {
public:
    explicit RunBuilder(PreviewRendering& rendering) : rendering_(rendering) {}

    void setColor(ColorValue color) {
        if (color == current_.color) {
            return;
        }
        if (currentLength() > 0) {
            finish();
            current_.startsLine = false;
        }
        current_.color = color;
    }

    void newLine() {
        if (currentLength() > 0 || current_.startsLine) {
            finish();
        }
        current_.startsLine = true;
    }

    void finishAll() {
        if (currentLength() > 0 || current_.startsLine) {
            finish();
        }
    }

private:
    qsizetype currentLength() const { return rendering_.text.size() - current_.start; }

    void finish() {
        current_.length = currentLength();
        rendering_.runs.push_back(current_);
        current_.start = rendering_.text.size();
    }

    PreviewRendering& rendering_;
    PreviewRun current_;
};

} // namespace

bool isLineBreak(QChar c) {
    return c == u'\n' || c == u'\r';
}

MarkupSequence markupSequenceAt(const QString& markup, qsizetype index) {
    const qsizetype size = markup.size();
    const QChar c = markup.at(index);
    if (c == u'|' && index + 1 < size) {
        const QChar mark = markup.at(index + 1);
        if ((mark == u'c' || mark == u'C') && hexDigitsAt(markup, index + 2) == kHexDigitsInCode) {
            return {MarkupSequenceKind::Code, 2 + kHexDigitsInCode, codeColor(markup, index + 2)};
        }
        if (mark == u'r' || mark == u'R') {
            return {MarkupSequenceKind::Reset, 2, kPreviewDefaultColor};
        }
        if (mark == u'n') {
            return {MarkupSequenceKind::NewLine, 2, kPreviewDefaultColor};
        }
    }
    const bool pair =
        index + 1 < size && ((c.isHighSurrogate() && markup.at(index + 1).isLowSurrogate()) ||
                             (c == u'\r' && markup.at(index + 1) == u'\n'));
    return {MarkupSequenceKind::Text, pair ? 2 : 1, kPreviewDefaultColor};
}

bool isCutShortCode(const QString& markup, qsizetype index) {
    return markup.at(index) == u'|' && index + 1 < markup.size() &&
           (markup.at(index + 1) == u'c' || markup.at(index + 1) == u'C') &&
           markupSequenceAt(markup, index).kind == MarkupSequenceKind::Text;
}

PreviewRendering renderPreview(const QString& markup) {
    PreviewRendering rendering;
    rendering.text.reserve(markup.size());
    RunBuilder runs(rendering);
    qsizetype openSince = 0; // where the color now open was opened; 0: none open
    qsizetype position = 0;  // 1-based character of markup.at(i), once counted

    const qsizetype size = markup.size();
    for (qsizetype i = 0; i < size;) {
        ++position;
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        switch (sequence.kind) {
        case MarkupSequenceKind::Code:
            runs.setColor(sequence.color);
            if (openSince == 0) {
                openSince = position;
            }
            break;
        case MarkupSequenceKind::Reset:
            if (openSince == 0) {
                rendering.notes.push_back({PreviewNoteKind::ResetNothingOpen, position});
            }
            openSince = 0;
            runs.setColor(kPreviewDefaultColor);
            break;
        case MarkupSequenceKind::NewLine:
            runs.newLine();
            break;
        case MarkupSequenceKind::Text: {
            const QChar c = markup.at(i);
            if (isCutShortCode(markup, i)) {
                rendering.notes.push_back({PreviewNoteKind::CodeCutShort, position});
            }
            rendering.text.append(QStringView(markup).mid(i, sequence.length));
            if (!isLineBreak(c)) {
                ++rendering.visibleCharacters;
            }
            rendering.markupBytes += sequence.length == 2 && c.isHighSurrogate() ? 4
                                     : c.unicode() < 0x80                        ? sequence.length
                                     : c.unicode() < 0x800                       ? 2
                                                                                 : 3;
            if (c == u'\r' && sequence.length == 2) {
                ++position; // "\r\n" is one break of two characters
            }
            i += sequence.length;
            continue;
        }
        }
        // The sequences are ASCII: one unit, one character and one byte each.
        position += sequence.length - 1;
        rendering.markupBytes += sequence.length;
        i += sequence.length;
    }
    runs.finishAll();
    if (openSince != 0) {
        rendering.notes.push_back({PreviewNoteKind::ColorLeftOpen, openSince});
    }
    rendering.markupCharacters = position;
    return rendering;
}

QString runText(const PreviewRendering& rendering, const PreviewRun& run) {
    return rendering.text.mid(run.start, run.length);
}

QString noteText(const PreviewNote& note) {
    QString what;
    switch (note.kind) {
    case PreviewNoteKind::CodeCutShort:
        what = QStringLiteral("color code cut short: \"|c\" needs eight hexadecimal digits "
                              "(AARRGGBB); it is drawn as it stands");
        break;
    case PreviewNoteKind::ColorLeftOpen:
        what = QStringLiteral("color left open at the end (no \"|r\"): it colors whatever text "
                              "follows when strings are joined");
        break;
    case PreviewNoteKind::ResetNothingOpen:
        what = QStringLiteral("\"|r\" with no color open");
        break;
    }
    return QStringLiteral("Character %1: %2").arg(note.position).arg(what);
}

QString figuresText(const PreviewRendering& rendering) {
    const auto characters = [](qsizetype count) {
        return count == 1 ? QStringLiteral("1 character")
                          : QStringLiteral("%1 characters").arg(count);
    };
    const QString bytes = rendering.markupBytes == 1
                              ? QStringLiteral("1 byte")
                              : QStringLiteral("%1 bytes").arg(rendering.markupBytes);
    return QStringLiteral("Markup: %1, %2    Player sees: %3")
        .arg(characters(rendering.markupCharacters), bytes,
             characters(rendering.visibleCharacters));
}

} // namespace hueprint
