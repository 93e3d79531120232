// SPDX-License-Identifier: MIT
// The editor's edits over any markup and any sequence of edits, checked against a plain model
// (a list of colored characters edited the same way): the markup draws what the model holds,
// each edit leaves the markup outside its stretch as it was, and markup the editor wrote from
// the start never holds a mark that colors nothing or changes nothing.

#include "fuzz_support.h"
#include "markup/code_spelling.h"
#include "markup/markup_edit.h"
#include "markup/markup_render.h"

using hueprint::EditableText;
using hueprint::TextColor;
using hueprint::fuzz::ByteReader;

namespace {

constexpr int kMostEdits = 16;

TextColor colorFrom(std::uint8_t byte) {
    static const TextColor palette[] = {TextColor(),
                                        hueprint::rgbColor(255, 0, 0),
                                        hueprint::rgbColor(0, 255, 0),
                                        hueprint::rgbColor(0, 0, 255),
                                        hueprint::rgbColor(255, 255, 255),
                                        hueprint::rgbColor(0, 0, 0),
                                        hueprint::rgbColor(255, 204, 0)};
    return palette[byte % std::size(palette)];
}

// The spellings maps use: "|cff" and lower case, "|cff" and upper, "|c00", "|C" with "|R".
hueprint::CodeSpelling spellingFrom(std::uint8_t byte) {
    hueprint::CodeSpelling spelling;
    switch (byte % 5) {
    case 1:
        spelling.alpha = QStringLiteral("ff");
        spelling.upperDigits = false;
        break;
    case 2:
        spelling.alpha = QStringLiteral("ff");
        break;
    case 3:
        spelling.alpha = QStringLiteral("00");
        spelling.upperDigits = false;
        break;
    case 4:
        spelling = {u'C', QStringLiteral("ff"), false, u'R'};
        break;
    default:
        break; // the palette's own
    }
    return spelling;
}

// The markup with each of its marks spelled so.
QString respelled(const QString& markup, const hueprint::CodeSpelling& spelling) {
    QString out;
    for (qsizetype i = 0; i < markup.size();) {
        const hueprint::MarkupSequence sequence = hueprint::markupSequenceAt(markup, i);
        out += sequence.kind == hueprint::MarkupSequenceKind::Code ? spelling.code(sequence.color)
               : sequence.kind == hueprint::MarkupSequenceKind::Reset
                   ? spelling.reset()
                   : markup.mid(i, sequence.length);
        i += sequence.length;
    }
    return out;
}

bool isBlank(QChar c) {
    return c.isSpace();
}

bool splitsPair(const QString& text, qsizetype at) {
    return at > 0 && at < text.size() && text.at(at - 1).isHighSurrogate() &&
           text.at(at).isLowSurrogate();
}

// Printable: other than ASCII letters, digits and marks, each unit as \uXXXX.
QString printable(const QString& text) {
    QString out;
    for (const QChar c : text.left(300)) {
        out += c.unicode() >= 0x20 && c.unicode() < 0x7F
                   ? QString(c)
                   : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return out;
}

QString describe(const QString& before, const QString& after, const EditableText& model) {
    return QStringLiteral("\nbefore \"%1\"\nafter  \"%2\"\nmodel  \"%3\"")
        .arg(printable(before), printable(after), printable(model.text));
}

// Line breaks as the editor counts them: "\r\n", "\r" and "\n" are one each; a pair of
// surrogates is one character, in the color of its first half.
EditableText withBreaks(const EditableText& text) {
    EditableText result;
    for (qsizetype i = 0; i < text.text.size(); ++i) {
        const QChar c = text.text.at(i);
        const TextColor color =
            i < qsizetype(text.colors.size()) ? text.colors[size_t(i)] : TextColor();
        if (c == u'\r' && i + 1 < text.text.size() && text.text.at(i + 1) == u'\n') {
            continue; // the "\n" stands for both
        }
        const bool secondHalf =
            c.isLowSurrogate() && i > 0 && text.text.at(i - 1).isHighSurrogate();
        result.text.append(c == u'\r' ? QChar(u'\n') : c);
        result.colors.push_back(secondHalf ? result.colors.back() : color);
    }
    return result;
}

// The editor's text and the renderer's runs hold the same visible characters in the same
// colors (line breaks aside, which the renderer keeps as they stand).
void checkAgreesWithRenderer(const QString& markup, const EditableText& text) {
    const hueprint::PreviewRendering rendering = hueprint::renderPreview(markup);
    qsizetype at = 0;
    const auto nextVisible = [&text, &at] {
        while (at < text.text.size() && text.text.at(at) == u'\n') {
            ++at;
        }
        return at;
    };
    for (const hueprint::PreviewRun& run : rendering.runs) {
        for (qsizetype i = run.start; i < run.start + run.length; ++i) {
            const QChar c = rendering.text.at(i);
            if (hueprint::isLineBreak(c)) {
                continue;
            }
            nextVisible();
            HUEPRINT_FUZZ_CHECK(at < text.text.size() && text.text.at(at) == c, markup);
            const TextColor color = text.colors[size_t(at)];
            HUEPRINT_FUZZ_CHECK(color.value_or(hueprint::kPreviewDefaultColor) == run.color,
                                markup);
            ++at;
        }
    }
    HUEPRINT_FUZZ_CHECK(nextVisible() == text.text.size(), markup);
}

// The marks that change nothing or color nothing (a code before the end or another mark with
// no visible character between; "|r" before another mark), as [start, end) of the markup.
std::vector<std::pair<qsizetype, qsizetype>> idleMarks(const QString& markup, TextColor* open) {
    std::vector<std::pair<qsizetype, qsizetype>> idle;
    TextColor state;
    std::optional<std::pair<qsizetype, qsizetype>> pending; // no visible character after it yet
    bool pendingIsCode = false;
    for (qsizetype i = 0; i < markup.size();) {
        const hueprint::MarkupSequence sequence = hueprint::markupSequenceAt(markup, i);
        const bool code = sequence.kind == hueprint::MarkupSequenceKind::Code;
        if (code || sequence.kind == hueprint::MarkupSequenceKind::Reset) {
            const TextColor color = code ? TextColor(sequence.color) : TextColor();
            if (pending) {
                idle.push_back(*pending);
            }
            if (color == state) {
                idle.emplace_back(i, i + sequence.length);
            }
            state = color;
            pending = std::make_pair(i, i + sequence.length);
            pendingIsCode = code;
        } else if (sequence.kind == hueprint::MarkupSequenceKind::Text && !isBlank(markup.at(i))) {
            pending.reset();
        }
        i += sequence.length;
    }
    if (pending && pendingIsCode) {
        idle.push_back(*pending);
    }
    *open = state;
    return idle;
}

// Markup the editor wrote: no idle mark, no color left open at the end.
void checkNoIdleMarks(const QString& markup) {
    TextColor open;
    const auto idle = idleMarks(markup, &open);
    HUEPRINT_FUZZ_CHECK(idle.empty(), QStringLiteral("idle mark at %1: %2")
                                          .arg(idle.empty() ? -1 : idle.front().first)
                                          .arg(markup));
    HUEPRINT_FUZZ_CHECK(!open, QStringLiteral("left open: %1").arg(markup));
}

// No idle mark among those an edit wrote: the marks of what its splice put in.
void checkNoIdleMarkWritten(const QString& before, const QString& after,
                            const hueprint::MarkupSplice& splice) {
    TextColor open;
    for (const auto& [start, end] : idleMarks(after, &open)) {
        HUEPRINT_FUZZ_CHECK(start < splice.start || end > splice.start + splice.inserted.size(),
                            QStringLiteral("idle mark written at %1: \"%2\" -> \"%3\"")
                                .arg(start)
                                .arg(printable(before), printable(after)));
    }
}

// The markup from its first visible character to the end of its last.
QString visibleStretch(const QString& markup) {
    qsizetype first = -1;
    qsizetype end = 0;
    for (qsizetype i = 0; i < markup.size();) {
        const hueprint::MarkupSequence sequence = hueprint::markupSequenceAt(markup, i);
        if (sequence.kind == hueprint::MarkupSequenceKind::Text && !isBlank(markup.at(i))) {
            first = first < 0 ? i : first;
            end = i + sequence.length;
        }
        i += sequence.length;
    }
    return first < 0 ? QString() : markup.mid(first, end - first);
}

// Where an edit of the visible units [from, to) may change the markup: from the end of the
// last visible character before it to the start of the first visible character after it.
std::pair<qsizetype, qsizetype> editableStretch(const QString& markup, qsizetype from,
                                                qsizetype to) {
    qsizetype unit = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < markup.size();) {
        const hueprint::MarkupSequence sequence = hueprint::markupSequenceAt(markup, i);
        if (sequence.kind == hueprint::MarkupSequenceKind::Text ||
            sequence.kind == hueprint::MarkupSequenceKind::NewLine) {
            const bool lineBreak = sequence.kind == hueprint::MarkupSequenceKind::NewLine ||
                                   hueprint::isLineBreak(markup.at(i));
            const qsizetype units = lineBreak ? 1 : sequence.length;
            const bool visible = !lineBreak && !(sequence.length == 1 && isBlank(markup.at(i)));
            if (visible && unit >= to && unit >= from) {
                return {start, i};
            }
            unit += units;
            if (visible && unit <= from) {
                start = i + sequence.length;
            }
        }
        i += sequence.length;
    }
    return {start, markup.size()};
}

// The marks an edit wrote (all of the splice's, where it inserts no markup of its own) are
// spelled as the markup before it spells most of its own.
void checkSpelling(const QString& before, const hueprint::MarkupSplice& splice) {
    const hueprint::CodeSpelling spelling = hueprint::spellingOf(before);
    const QString& written = splice.inserted;
    for (qsizetype i = written.indexOf(u'|'); i >= 0; i = written.indexOf(u'|', i + 1)) {
        const hueprint::MarkupSequence sequence = hueprint::markupSequenceAt(written, i);
        if (sequence.kind == hueprint::MarkupSequenceKind::Reset) {
            HUEPRINT_FUZZ_CHECK(written.mid(i, 2) == spelling.reset(), before + " -> " + written);
        } else if (sequence.kind == hueprint::MarkupSequenceKind::Code) {
            HUEPRINT_FUZZ_CHECK(written.mid(i, 10) == spelling.code(sequence.color),
                                before + " -> " + written);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    hueprint::fuzz::quietQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader reader(data, size);
    // Markup the editor wrote from the start (a colored text), or any markup at all.
    bool written = (reader.takeByte() & 1) != 0;
    QString markup;
    if (written) {
        EditableText start;
        start.text = reader.takeText(128).replace(u'|', u'!').replace(u'\r', u'\n');
        for (qsizetype i = 0; i < start.text.size(); ++i) {
            start.colors.push_back(colorFrom(reader.takeByte()));
        }
        markup = respelled(hueprint::markupFor(start), spellingFrom(reader.takeByte()));
    } else {
        // A lone "\r" beside a "\n" that an edit brings together would read as one break.
        markup = reader.takeText(512)
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                     .replace(u'\r', u'\n');
    }
    EditableText model = hueprint::editableText(markup);
    checkAgreesWithRenderer(markup, model);
    if (written) {
        checkNoIdleMarks(markup);
    }

    for (int edit = 0; edit < kMostEdits && reader.takeByte() != 0xFF; ++edit) {
        const int kind = reader.takeByte() % 6;
        const qsizetype length = model.text.size();
        const std::uint8_t placeByte = reader.takeByte();
        const qsizetype position = placeByte < 250 ? placeByte % (length + 1) : length + placeByte;
        const std::uint8_t countByte = reader.takeByte();
        const qsizetype removed = countByte < 200 ? countByte % 12 : countByte * 16;

        // What the model does: the same stretch, pairs kept whole.
        qsizetype from = std::min(position, length);
        from -= splitsPair(model.text, from) ? 1 : 0;
        qsizetype to =
            removed > 0 ? std::min(position + std::min(removed, markup.size()), length) : from;
        to = std::max(to + (splitsPair(model.text, to) ? 1 : 0), from);
        const EditableText now = hueprint::editableText(markup);
        const TextColor typed =
            to > from ? now.colors[size_t(from)] : hueprint::typingColor(now, from);
        // What pasted markup continues: the text around, the replaced characters left out.
        EditableText rest = now;
        rest.text.remove(from, to - from);
        rest.colors.erase(rest.colors.begin() + from, rest.colors.begin() + to);
        const TextColor around = hueprint::typingColor(rest, from);

        hueprint::MarkupSplice splice;
        EditableText inserted;
        bool plainTyping = false;
        bool spelledByTheEdit = kind != 1 && kind != 5; // all but pasted markup and moved text
        bool idleMarksMayBeWritten = false;             // pasted markup goes in as it stands
        std::optional<qsizetype> drop;                  // where moved text is put in
        switch (kind) {
        case 0: { // typed or pasted as text
            QString text = reader.takeText(24);
            if (written) {
                text.replace(u'|', u'!');
            }
            const std::uint8_t colorByte = reader.takeByte();
            const std::optional<TextColor> color =
                colorByte < 128 ? std::nullopt : std::optional<TextColor>(colorFrom(colorByte));
            splice = hueprint::replaceText(markup, position, removed, text, color);
            inserted = withBreaks(
                {text, std::vector<TextColor>(size_t(text.size()), color.value_or(typed))});
            plainTyping = !color && removed == 0;
            break;
        }
        case 1: { // pasted markup: in markup the editor wrote, markup it wrote too
            QString pasted;
            if (written) {
                EditableText text{reader.takeText(24).replace(u'|', u'!'), {}};
                for (qsizetype i = 0; i < text.text.size(); ++i) {
                    text.colors.push_back(colorFrom(reader.takeByte()));
                }
                pasted = respelled(hueprint::markupFor(text), spellingFrom(reader.takeByte()));
            } else {
                pasted = reader.takeText(48);
            }
            splice = hueprint::replaceWithMarkup(markup, position, removed, pasted);
            // Where the text around is plain, what lies between its first and last visible
            // character goes in as it stands (unless it changes nothing).
            idleMarksMayBeWritten = !written || around.has_value();
            if (written && !around) {
                const QString between = visibleStretch(pasted);
                HUEPRINT_FUZZ_CHECK(splice.isEmpty() || splice.inserted.contains(between),
                                    pasted + " -> " + splice.inserted);
            }
            inserted = hueprint::editableText(pasted);
            for (TextColor& color : inserted.colors) {
                color = color ? color : around;
            }
            break;
        }
        case 2: { // colored
            const TextColor color = colorFrom(reader.takeByte());
            splice = hueprint::colorRange(markup, position, removed, color);
            inserted = {model.text.mid(from, to - from),
                        std::vector<TextColor>(size_t(to - from), color)};
            break;
        }
        case 3: { // gradient
            std::vector<hueprint::ColorValue> stops(2 + reader.takeByte() % 3);
            for (hueprint::ColorValue& stop : stops) {
                stop = reader.takeInt32() & 0xFFFFFF;
            }
            splice = hueprint::gradientRange(markup, position, removed, stops);
            const QString part = model.text.mid(from, to - from);
            inserted = {part, hueprint::gradientColors(part, stops)};
            break;
        }
        case 5: { // the stretch moved
            qsizetype at = std::min<qsizetype>(reader.takeByte(), length);
            at -= splitsPair(model.text, at) ? 1 : 0;
            splice = hueprint::moveText(markup, position, removed, at);
            if (to > from && (at < from || at > to)) {
                drop = at;
            }
            inserted = {model.text.mid(from, to - from),
                        {model.colors.begin() + from, model.colors.begin() + to}};
            break;
        }
        default: { // any colored text
            EditableText text;
            text.text = reader.takeText(24);
            if (written) {
                text.text.replace(u'|', u'!');
            }
            for (qsizetype i = 0; i < text.text.size(); ++i) {
                text.colors.push_back(colorFrom(reader.takeByte()));
            }
            splice = hueprint::replaceColored(markup, position, removed, text);
            inserted = withBreaks(text);
            break;
        }
        }
        const QString after = splice.appliedTo(markup);
        // The model: the stretch replaced, or taken out and put in where it was dropped.
        const qsizetype putAt = drop ? (*drop > to ? *drop - (to - from) : *drop) : from;
        model.text.remove(from, to - from);
        model.colors.erase(model.colors.begin() + from, model.colors.begin() + to);
        model.text.insert(putAt, inserted.text);
        model.colors.insert(model.colors.begin() + putAt, inserted.colors.begin(),
                            inserted.colors.end());

        // The splice lies within the stretch of the edit (of a move, within the two and the
        // markup between them, which it keeps); the reverse splice gives back the exact bytes.
        auto [start, end] = editableStretch(markup, from, to);
        if (drop) {
            const auto [dropStart, dropEnd] = editableStretch(markup, *drop, *drop);
            const qsizetype betweenFrom = std::min(end, dropEnd);
            const qsizetype betweenTo = std::max(start, dropStart);
            start = std::min(start, dropStart);
            end = std::max(end, dropEnd);
            HUEPRINT_FUZZ_CHECK(betweenTo <= betweenFrom ||
                                    splice.inserted.contains(QStringView(markup).mid(
                                        betweenFrom, betweenTo - betweenFrom)),
                                describe(markup, after, model));
        }
        HUEPRINT_FUZZ_CHECK(splice.isEmpty() || (splice.start >= start && splice.removed >= 0 &&
                                                 splice.start + splice.removed <= end),
                            describe(markup, after, model));
        HUEPRINT_FUZZ_CHECK(splice.reversed(markup).appliedTo(after) == markup,
                            describe(markup, after, model));
        if (written && spelledByTheEdit) {
            checkSpelling(markup, splice);
        }
        // Typing changes only the characters typed, in markup the editor wrote.
        if (plainTyping && written) {
            const QString spelled =
                withBreaks({inserted.text, {}}).text.replace(u'\n', QStringLiteral("|n"));
            HUEPRINT_FUZZ_CHECK(after.size() == markup.size() + spelled.size(),
                                describe(markup, after, model));
        }

        // The markup draws what the model holds (a "|" the editor cannot tell from a mark aside).
        const EditableText drawn = hueprint::editableText(after);
        checkAgreesWithRenderer(after, drawn);
        if (!model.text.contains(u'|')) {
            HUEPRINT_FUZZ_CHECK(drawn.text == model.text, describe(markup, after, model));
            for (qsizetype i = 0; i < drawn.text.size(); ++i) {
                if (!isBlank(drawn.text.at(i))) {
                    HUEPRINT_FUZZ_CHECK(drawn.colors[size_t(i)] == model.colors[size_t(i)],
                                        QStringLiteral("color at %1").arg(i) +
                                            describe(markup, after, model));
                }
            }
            TextColor open;
            if (drop && !idleMarks(markup, &open).empty()) {
                // Between its two places a move keeps the markup, idle marks and all.
            } else if (idleMarksMayBeWritten) {
                written = false;
            } else {
                checkNoIdleMarkWritten(markup, after, splice);
            }
            if (written) {
                checkNoIdleMarks(after);
            }
        } else {
            model = drawn; // from here on, what the markup draws
            written = false;
        }
        markup = after;
    }
    return 0;
}
