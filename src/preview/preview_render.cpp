// SPDX-License-Identifier: MIT
#include "preview_render.h"

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

PreviewRendering renderPreview(const QString& markup) {
    PreviewRendering rendering;
    rendering.text.reserve(markup.size());
    RunBuilder runs(rendering);
    qsizetype openSince = 0; // where the color now open was opened; 0: none open
    qsizetype position = 0;  // 1-based character of markup.at(i), once counted

    const qsizetype size = markup.size();
    for (qsizetype i = 0; i < size;) {
        ++position;
        const QChar c = markup.at(i);
        if (c == u'|' && i + 1 < size) {
            const QChar mark = markup.at(i + 1);
            if (mark == u'c') {
                if (hexDigitsAt(markup, i + 2) == kHexDigitsInCode) {
                    runs.setColor(codeColor(markup, i + 2));
                    if (openSince == 0) {
                        openSince = position;
                    }
                    i += 2 + kHexDigitsInCode;
                    position += 1 + kHexDigitsInCode; // all of them ASCII: one unit each
                    continue;
                }
                // Drawn as it stands, from the "|" on.
                rendering.notes.push_back({PreviewNoteKind::CodeCutShort, position});
            } else if (mark == u'r') {
                if (openSince == 0) {
                    rendering.notes.push_back({PreviewNoteKind::ResetNothingOpen, position});
                }
                openSince = 0;
                runs.setColor(kPreviewDefaultColor);
                i += 2;
                ++position;
                continue;
            } else if (mark == u'n') {
                runs.newLine();
                i += 2;
                ++position;
                continue;
            }
        }
        rendering.text.append(c);
        ++i;
        if (c.isHighSurrogate() && i < size && markup.at(i).isLowSurrogate()) {
            rendering.text.append(markup.at(i)); // the second half of the same character
            ++i;
        }
        if (!isLineBreak(c)) {
            ++rendering.visibleCharacters;
        } else if (c == u'\r' && i < size && markup.at(i) == u'\n') {
            rendering.text.append(markup.at(i)); // "\r\n" is one break
            ++i;
            ++position;
        }
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
    return QStringLiteral("Markup: %1    Player sees: %2")
        .arg(characters(rendering.markupCharacters), characters(rendering.visibleCharacters));
}

} // namespace hueprint
