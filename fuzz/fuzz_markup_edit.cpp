// SPDX-License-Identifier: MIT
// The editor's edits over any markup and any sequence of edits, checked against a plain model
// (a list of colored characters edited the same way): the markup draws what the model holds,
// each edit leaves the markup outside its stretch as it was, and markup the editor wrote from
// the start never holds a mark that colors nothing or changes nothing. An index that follows the
// markup through the edits gives the same edits, and the stretch of text each one changed.

#include "fuzz_support.h"
#include "markup/code_spelling.h"
#include "markup/markup_edit.h"
#include "markup/markup_render.h"
#include "markup/reading_index.h"

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

// Markup the editor wrote for the text ("|" read as "!"), in colors and one of the spellings maps
// use, read from the input: the palette's own, "|cff" lower and upper case, "|c00", "|C" and "|R".
QString writtenMarkup(const QString& text, ByteReader& reader) {
    EditableText colored{QString(text).replace(u'|', u'!'), {}};
    for (qsizetype i = 0; i < text.size(); ++i) {
        colored.colors.push_back(colorFrom(reader.takeByte()));
    }
    static const char* const spellings[] = {"cFF+r", "cff-r", "cff+r", "c00-r", "Cff-R"};
    const QString s = QLatin1String(spellings[reader.takeByte() % 5]); // "+": upper-case digits
    return respelled(hueprint::markupFor(colored), {s[0], s.mid(1, 2), s[3] == u'+', s[4]});
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

// The markup from its first visible character to the end of its last.
QString visibleStretch(const QString& markup) {
    const qsizetype first = editableStretch(markup, 0, 0).second;
    const qsizetype end = editableStretch(markup, markup.size(), markup.size()).first;
    return markup.mid(first, std::max<qsizetype>(end - first, 0));
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
        markup = writtenMarkup(reader.takeText(128).replace(u'\r', u'\n'), reader);
    } else {
        // A lone "\r" beside a "\n" that an edit brings together would read as one break.
        markup = reader.takeText(512)
                     .replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                     .replace(u'\r', u'\n');
    }
    EditableText model = hueprint::editableText(markup);
    checkAgreesWithRenderer(markup, model);
    hueprint::ReadingIndex index(1 + markup.size() % 4); // points close together
    index.follow(QString(), markup, {0, 0, markup});
    // Each edit read from the start of the markup and from the index: one and the same.
    const auto fromBoth = [&](const auto& edit) {
        const hueprint::MarkupSplice plain = edit(nullptr);
        const hueprint::MarkupSplice indexed = edit(&index);
        HUEPRINT_FUZZ_CHECK(plain.start == indexed.start && plain.removed == indexed.removed &&
                                plain.inserted == indexed.inserted,
                            markup + " -> " + plain.inserted + " / " + indexed.inserted);
        return plain;
    };
    using Index = const hueprint::ReadingIndex*;
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

        hueprint::MarkupSplice splice;
        EditableText inserted;
        bool plainTyping = false;
        std::optional<qsizetype> drop; // where moved text is put in
        switch (kind) {
        case 0: { // typed or pasted as text
            QString text = reader.takeText(24);
            if (written) {
                text.replace(u'|', u'!');
            }
            const std::uint8_t colorByte = reader.takeByte();
            const std::optional<TextColor> color =
                colorByte < 128 ? std::nullopt : std::optional<TextColor>(colorFrom(colorByte));
            splice = fromBoth([&](Index i) {
                return hueprint::replaceText(markup, position, removed, text, color, i);
            });
            inserted = withBreaks(
                {text, std::vector<TextColor>(size_t(text.size()), color.value_or(typed))});
            plainTyping = !color && removed == 0;
            break;
        }
        case 1: { // pasted markup
            const QString pasted =
                written ? writtenMarkup(reader.takeText(24), reader) : reader.takeText(48);
            splice = fromBoth([&](Index i) {
                return hueprint::replaceWithMarkup(markup, position, removed, pasted, i);
            });
            EditableText rest = now; // what it continues: the text around, [from, to) left out
            rest.text.remove(from, to - from);
            rest.colors.erase(rest.colors.begin() + from, rest.colors.begin() + to);
            const TextColor around = hueprint::typingColor(rest, from);
            // Into plain text, its markup from first to last visible character goes in as is.
            written = written && !around;
            HUEPRINT_FUZZ_CHECK(!written || splice.isEmpty() ||
                                    splice.inserted.contains(visibleStretch(pasted)),
                                pasted + " -> " + splice.inserted);
            inserted = hueprint::editableText(pasted);
            for (TextColor& color : inserted.colors) {
                color = color ? color : around;
            }
            break;
        }
        case 2: { // colored
            const TextColor color = colorFrom(reader.takeByte());
            splice = fromBoth(
                [&](Index i) { return hueprint::colorRange(markup, position, removed, color, i); });
            inserted = {model.text.mid(from, to - from),
                        std::vector<TextColor>(size_t(to - from), color)};
            break;
        }
        case 3: { // gradient
            std::vector<hueprint::ColorValue> stops(2 + reader.takeByte() % 3);
            for (hueprint::ColorValue& stop : stops) {
                stop = reader.takeInt32() & 0xFFFFFF;
            }
            splice = fromBoth([&](Index i) {
                return hueprint::gradientRange(markup, position, removed, stops, i);
            });
            const QString part = model.text.mid(from, to - from);
            inserted = {part, hueprint::gradientColors(part, stops)};
            break;
        }
        case 5: { // the stretch moved
            qsizetype at = std::min<qsizetype>(reader.takeByte(), length);
            at -= splitsPair(model.text, at) ? 1 : 0;
            splice = fromBoth(
                [&](Index i) { return hueprint::moveText(markup, position, removed, at, i); });
            drop = to > from && (at < from || at > to) ? std::optional(at) : std::nullopt;
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
            splice = fromBoth([&](Index i) {
                return hueprint::replaceColored(markup, position, removed, text, i);
            });
            inserted = withBreaks(text);
            break;
        }
        }
        const QString after = splice.appliedTo(markup);
        const qsizetype putAt = !drop ? from : *drop > to ? *drop - (to - from) : *drop; // moved
        model.text.remove(from, to - from);
        model.colors.erase(model.colors.begin() + from, model.colors.begin() + to);
        model.text.insert(putAt, inserted.text);
        model.colors.insert(model.colors.begin() + putAt, inserted.colors.begin(),
                            inserted.colors.end());

        // The splice keeps within the edit's stretches; its reverse gives back the exact bytes.
        auto [start, end] = editableStretch(markup, from, to);
        if (drop) { // and a move keeps the markup between its two places
            const auto [dropStart, dropEnd] = editableStretch(markup, *drop, *drop);
            const qsizetype keptFrom = std::min(end, dropEnd);
            const qsizetype keptTo = std::max(start, dropStart);
            HUEPRINT_FUZZ_CHECK(keptTo <= keptFrom || splice.inserted.contains(
                                                          markup.mid(keptFrom, keptTo - keptFrom)),
                                describe(markup, after, model));
            start = std::min(start, dropStart);
            end = std::max(end, dropEnd);
        }
        HUEPRINT_FUZZ_CHECK(splice.isEmpty() || (splice.start >= start && splice.removed >= 0 &&
                                                 splice.start + splice.removed <= end),
                            describe(markup, after, model));
        HUEPRINT_FUZZ_CHECK(splice.reversed(markup).appliedTo(after) == markup,
                            describe(markup, after, model));
        // The marks an edit writes (not pasted or moved) take the spelling the markup uses most.
        HUEPRINT_FUZZ_CHECK(!written || kind == 1 || kind == 5 ||
                                respelled(splice.inserted, hueprint::spellingOf(markup)) ==
                                    splice.inserted,
                            markup + " -> " + splice.inserted);
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
        // The index tells the stretch of text that changed, and its text now; the rest is as it
        // was.
        const auto [stretch, changed] = index.follow(markup, after, splice);
        const auto colorsOf = [](const EditableText& text, qsizetype from, qsizetype to) {
            return std::vector<TextColor>(text.colors.begin() + from, text.colors.begin() + to);
        };
        const qsizetype nowSize = now.text.size();
        HUEPRINT_FUZZ_CHECK(
            stretch.first <= stretch.oldEnd && stretch.oldEnd <= nowSize &&
                stretch.newEnd - stretch.oldEnd == drawn.text.size() - nowSize &&
                changed.text == drawn.text.mid(stretch.first, stretch.newEnd - stretch.first) &&
                changed.colors == colorsOf(drawn, stretch.first, stretch.newEnd) &&
                now.text.left(stretch.first) == drawn.text.left(stretch.first) &&
                colorsOf(now, 0, stretch.first) == colorsOf(drawn, 0, stretch.first) &&
                now.text.mid(stretch.oldEnd) == drawn.text.mid(stretch.newEnd) &&
                colorsOf(now, stretch.oldEnd, nowSize) ==
                    colorsOf(drawn, stretch.newEnd, drawn.text.size()),
            describe(markup, after, model));
        if (!model.text.contains(u'|')) {
            HUEPRINT_FUZZ_CHECK(drawn.text == model.text, describe(markup, after, model));
            for (qsizetype i = 0; i < drawn.text.size(); ++i) {
                if (!isBlank(drawn.text.at(i))) {
                    HUEPRINT_FUZZ_CHECK(drawn.colors[size_t(i)] == model.colors[size_t(i)],
                                        QStringLiteral("color at %1").arg(i) +
                                            describe(markup, after, model));
                }
            }
            TextColor open; // pasted markup may bring idle marks, a move keeps them between
            if ((kind != 1 || written) && (!drop || idleMarks(markup, &open).empty())) {
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
