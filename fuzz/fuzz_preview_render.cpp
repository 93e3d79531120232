// SPDX-License-Identifier: MIT
// The in-game preview's renderer over any text, and the panel that shows it: the runs
// hold exactly the markup less its recognised sequences, in colors that exist, and every note
// points into the markup.

#include "editor/preview_panel.h"
#include "fuzz_support.h"
#include "markup/markup_render.h"

#include <QApplication>
#include <QScrollBar>

using hueprint::PreviewRendering;
using hueprint::PreviewRun;
using hueprint::fuzz::ByteReader;

namespace {

// The longest input laid out on the panel as well: layout costs time, not coverage.
constexpr qsizetype kLongestLaidOut = 1024;
constexpr qsizetype kLongestDrawn = 256;

bool isHex(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The markup without "|c" or "|C" and eight hexadecimal digits, "|r", "|R" and "|n", read left
// to right.
QString withoutSequences(const QString& markup) {
    QString kept;
    const QStringView view(markup);
    qsizetype i = 0;
    while (i < view.size()) {
        const QStringView rest = view.sliced(i);
        if (rest.startsWith(u"|r") || rest.startsWith(u"|R") || rest.startsWith(u"|n")) {
            i += 2;
            continue;
        }
        if ((rest.startsWith(u"|c") || rest.startsWith(u"|C")) && rest.size() >= 10 &&
            std::all_of(rest.begin() + 2, rest.begin() + 10, isHex)) {
            i += 10;
            continue;
        }
        kept.append(view.at(i));
        ++i;
    }
    return kept;
}

QString describe(const QString& markup) {
    return QStringLiteral("markup \"%1\" (%2 units)").arg(markup.left(80)).arg(markup.size());
}

hueprint::PreviewPanel* panel = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    hueprint::fuzz::quietQtMessages();
    static int argc = 1;
    static char name[] = "fuzz_preview_render";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    // Made and laid out once before fuzzing starts, so that the fonts it loads are not taken for
    // leaks of the first input.
    static hueprint::PreviewPanel thePanel;
    thePanel.resize(300, 200);
    thePanel.showText(hueprint::editableText(QStringLiteral("|cFFFF0000a|r b")));
    panel = &thePanel;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteReader reader(data, size);
    const QString markup = reader.takeRemainingText();
    const PreviewRendering rendering = hueprint::renderPreview(markup);

    // The visible text is the markup less exactly its recognised sequences, and the runs lie
    // end to end over it.
    HUEPRINT_FUZZ_CHECK(rendering.text == withoutSequences(markup), describe(markup));
    QString joined;
    qsizetype end = 0;
    for (const PreviewRun& run : rendering.runs) {
        HUEPRINT_FUZZ_CHECK(run.start == end && run.length >= 0, describe(markup));
        HUEPRINT_FUZZ_CHECK(run.length > 0 || run.startsLine, describe(markup));
        HUEPRINT_FUZZ_CHECK(run.color >= 0 && run.color <= 16777215, describe(markup));
        joined += hueprint::runText(rendering, run);
        end += run.length;
    }
    HUEPRINT_FUZZ_CHECK(joined == rendering.text, describe(markup));

    // Counted in characters, a lone surrogate being one.
    const auto characters = static_cast<qsizetype>(markup.toUcs4().size());
    HUEPRINT_FUZZ_CHECK(rendering.markupCharacters == characters, describe(markup));
    // Bytes as UTF-8, a lone surrogate taking the three of a replacement character (Qt's
    // encoder writes one "?" for it).
    qsizetype loneSurrogates = 0;
    for (qsizetype i = 0; i < markup.size(); ++i) {
        const QChar c = markup.at(i);
        const bool paired =
            (c.isHighSurrogate() && i + 1 < markup.size() && markup.at(i + 1).isLowSurrogate()) ||
            (c.isLowSurrogate() && i > 0 && markup.at(i - 1).isHighSurrogate());
        loneSurrogates += c.isSurrogate() && !paired ? 1 : 0;
    }
    HUEPRINT_FUZZ_CHECK(rendering.markupBytes == markup.toUtf8().size() + 2 * loneSurrogates,
                        describe(markup));
    // The player sees the markup's characters less the sequences (ASCII, one unit a character)
    // and the line breaks. Counted in the markup, not in the joined text: two lone surrogates
    // that a sequence between them kept apart are still two characters.
    const qsizetype removedUnits = markup.size() - rendering.text.size();
    const qsizetype breakUnits = rendering.text.count(u'\n') + rendering.text.count(u'\r');
    HUEPRINT_FUZZ_CHECK(rendering.visibleCharacters == characters - removedUnits - breakUnits,
                        describe(markup));

    // Every note names a character of the markup, and it is a "|".
    const QList<uint> codePoints = markup.toUcs4();
    for (const hueprint::PreviewNote& note : rendering.notes) {
        HUEPRINT_FUZZ_CHECK(note.position >= 1 && note.position <= characters, describe(markup));
        HUEPRINT_FUZZ_CHECK(codePoints.at(note.position - 1) == u'|', describe(markup));
    }
    // Markup without a "|" is drawn as it is, in white, without a note.
    if (!markup.contains(u'|')) {
        HUEPRINT_FUZZ_CHECK(rendering.notes.empty() && rendering.text == markup, describe(markup));
        HUEPRINT_FUZZ_CHECK(markup.isEmpty() == rendering.runs.empty(), describe(markup));
    }

    if (markup.size() <= kLongestLaidOut) {
        // Shown after the previous input: the document ends where the text does.
        const hueprint::EditableText editable = hueprint::editableText(markup);
        panel->showText(editable);
        HUEPRINT_FUZZ_CHECK(panel->document()->characterCount() - 1 == editable.text.size(),
                            describe(markup));
        // Drawn, and scrolled to its end.
        if (markup.size() <= kLongestDrawn) {
            panel->grab();
        }
        QScrollBar* bar = panel->verticalScrollBar();
        bar->setValue(bar->maximum());
    }
    return 0;
}
