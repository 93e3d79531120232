// SPDX-License-Identifier: MIT
#include "text_checks.h"

#include "string_table.h"

namespace hueprint {

std::vector<StringNote> tableNotes(const StringTable& table) {
    std::vector<StringNote> notes;
    for (int i = 0; i < table.count(); ++i) {
        const QString& text = table.entry(i).text;
        if (!text.contains(u'|')) {
            continue; // without a mark there is nothing to note
        }
        for (const PreviewNote& note : renderPreview(text).notes) {
            notes.push_back({i, note});
        }
    }
    return notes;
}

QString noteLine(const QString& fileName, int stringNumber, const PreviewNote& note) {
    // The note as the preview words it ("Character 12: ..."), its first letter in lower case.
    QString text = noteText(note);
    if (!text.isEmpty()) {
        text[0] = text.at(0).toLower();
    }
    return QStringLiteral("%1:STRING %2: %3").arg(fileName, QString::number(stringNumber), text);
}

} // namespace hueprint
