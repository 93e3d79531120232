// SPDX-License-Identifier: MIT
#include "markup_edit.h"

#include "preview/preview_render.h"

namespace hueprint {

namespace {

bool isBlank(QChar c) {
    return c.isSpace();
}

TextColor colorAt(const EditableText& text, qsizetype index) {
    return index < qsizetype(text.colors.size()) ? text.colors[size_t(index)] : TextColor();
}

// The mark that makes a color current: "|cFF" and RRGGBB, or "|r" for plain.
QString markFor(TextColor color) {
    if (!color) {
        return QStringLiteral("|r");
    }
    const int rgb = ((*color & 0xFF) << 16) | (*color & 0xFF00) | ((*color >> 16) & 0xFF);
    return QStringLiteral("|cFF%1").arg(rgb, 6, 16, QLatin1Char('0')).toUpper();
}

} // namespace

EditableText editableText(const QString& markup) {
    EditableText result;
    result.text.reserve(markup.size());
    result.colors.reserve(size_t(markup.size()));
    TextColor state;
    for (qsizetype i = 0; i < markup.size();) {
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        switch (sequence.kind) {
        case MarkupSequenceKind::Code:
            state = sequence.color;
            break;
        case MarkupSequenceKind::Reset:
            state.reset();
            break;
        case MarkupSequenceKind::NewLine:
            result.text.append(u'\n');
            result.colors.push_back(state);
            break;
        case MarkupSequenceKind::Text:
            if (isLineBreak(markup.at(i))) {
                result.text.append(u'\n');
                result.colors.push_back(state);
            } else {
                result.text.append(QStringView(markup).mid(i, sequence.length));
                result.colors.insert(result.colors.end(), size_t(sequence.length), state);
            }
            break;
        }
        i += sequence.length;
    }
    return result;
}

QString markupFor(const EditableText& text) {
    QString markup;
    TextColor state;
    for (qsizetype i = 0; i < text.text.size(); ++i) {
        const QChar c = text.text.at(i);
        if (c == u'\n') {
            markup.append(QStringLiteral("|n"));
            continue;
        }
        const bool secondHalf =
            c.isLowSurrogate() && i > 0 && text.text.at(i - 1).isHighSurrogate();
        if (!secondHalf && !isBlank(c) && colorAt(text, i) != state) {
            state = colorAt(text, i);
            markup.append(markFor(state));
        }
        markup.append(c);
    }
    if (state) {
        markup.append(QStringLiteral("|r"));
    }
    return markup;
}

TextColor typingColor(const EditableText& text, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, text.text.size());
    if (position > 0 && text.text.at(position - 1) != u'\n') {
        return colorAt(text, position - 1);
    }
    if (position < text.text.size()) {
        return colorAt(text, position);
    }
    return position > 0 ? colorAt(text, position - 1) : TextColor();
}

QString replaceColored(const QString& markup, qsizetype position, qsizetype removed,
                       const EditableText& inserted) {
    EditableText text = editableText(markup);
    position = std::clamp<qsizetype>(position, 0, text.text.size());
    removed = std::clamp<qsizetype>(removed, 0, text.text.size() - position);
    text.text.replace(position, removed, inserted.text);
    std::vector<TextColor> colors(size_t(inserted.text.size()));
    for (qsizetype i = 0; i < inserted.text.size(); ++i) {
        colors[size_t(i)] = colorAt(inserted, i);
    }
    text.colors.erase(text.colors.begin() + position, text.colors.begin() + position + removed);
    text.colors.insert(text.colors.begin() + position, colors.begin(), colors.end());
    return markupFor(text);
}

QString replaceText(const QString& markup, qsizetype position, qsizetype removed,
                    const QString& inserted, std::optional<TextColor> color) {
    EditableText text;
    text.text = inserted;
    text.text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const TextColor typed = color ? *color : typingColor(editableText(markup), position);
    text.colors.assign(size_t(text.text.size()), typed);
    return replaceColored(markup, position, removed, text);
}

QString replaceWithMarkup(const QString& markup, qsizetype position, qsizetype removed,
                          const QString& pasted) {
    EditableText text = editableText(pasted);
    const TextColor typed = typingColor(editableText(markup), position);
    for (TextColor& color : text.colors) {
        if (!color) {
            color = typed;
        }
    }
    return replaceColored(markup, position, removed, text);
}

QString colorRange(const QString& markup, qsizetype position, qsizetype length, TextColor color) {
    EditableText text = editableText(markup);
    position = std::clamp<qsizetype>(position, 0, text.text.size());
    length = std::clamp<qsizetype>(length, 0, text.text.size() - position);
    EditableText part{text.text.mid(position, length),
                      std::vector<TextColor>(size_t(length), color)};
    return replaceColored(markup, position, length, part);
}

std::vector<TextColor> gradientColors(const QString& text, const std::vector<ColorValue>& stops) {
    std::vector<TextColor> colors(size_t(text.size()));
    if (stops.empty()) {
        return colors;
    }
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool secondHalf =
            text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate();
        if (!secondHalf && !isBlank(text.at(i))) {
            ++characters;
        }
    }
    const auto component = [](ColorValue color, int shift) {
        return qint64((color >> shift) & 0xFF);
    };
    const qint64 segments = qint64(stops.size()) - 1;
    const qint64 span = std::max<qint64>(characters - 1, 1);
    qint64 index = -1;
    TextColor last;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool secondHalf =
            text.at(i).isLowSurrogate() && i > 0 && text.at(i - 1).isHighSurrogate();
        if (!secondHalf && !isBlank(text.at(i))) {
            ++index;
            // The place index * segments / span, as a whole segment and a fraction over span.
            const qint64 segment =
                std::min(index * segments / span, std::max<qint64>(segments - 1, 0));
            const qint64 within = index * segments - segment * span;
            const ColorValue from = stops[size_t(segment)];
            const ColorValue to = stops[size_t(std::min<qint64>(segment + 1, segments))];
            int channels[3];
            for (int c = 0; c < 3; ++c) {
                const qint64 a = component(from, 8 * c);
                const qint64 b = component(to, 8 * c);
                const qint64 scaled = a * span + (b - a) * within; // value times span, >= 0
                channels[c] = int((2 * scaled + span) / (2 * span));
            }
            last = rgbColor(channels[0], channels[1], channels[2]);
        }
        colors[size_t(i)] = last;
    }
    // Blanks before the first character take its color.
    for (qsizetype i = 0; i < text.size() && !colors[size_t(i)]; ++i) {
        colors[size_t(i)] = last;
    }
    return colors;
}

QString gradientRange(const QString& markup, qsizetype position, qsizetype length,
                      const std::vector<ColorValue>& stops) {
    EditableText text = editableText(markup);
    position = std::clamp<qsizetype>(position, 0, text.text.size());
    length = std::clamp<qsizetype>(length, 0, text.text.size() - position);
    const QString part = text.text.mid(position, length);
    return replaceColored(markup, position, length, {part, gradientColors(part, stops)});
}

} // namespace hueprint
