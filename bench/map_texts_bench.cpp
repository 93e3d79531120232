// SPDX-License-Identifier: MIT
// A map's string table (not a test: it prints figures for BENCHMARKS.md): a generated table of
// 8,500 strings, 1.5 MB, half of them colored, with CJK text, comments and CRLF line endings.
// Each figure is timed against reading the file plainly (QFile::readAll and a split into
// lines), measured in the same run, interleaved with it round by round:
//   1. read and listed: the file read and the table built, each string's number, comment and
//      first line taken as a list would show them;
//   2. --check: the command's own function over the file, its lines written to a string;
//   3. --replace-color: the command's own function over a copy of the file, which it writes.

#include "maptexts/command_line.h"
#include "maptexts/string_table.h"
#include "maptexts/string_table_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace hueprint;

namespace {

constexpr int kStrings = 8500;

double ms(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The table: every other string colored (gold, a player color, now and then a color left
// open), the rest plain; CJK words with ASCII figures; one to three lines each.
QByteArray generatedTable() {
    const QStringList words = {QStringLiteral("步兵"),     QStringLiteral("攻击力"),
                               QStringLiteral("生命值"),   QStringLiteral("魔法"),
                               QStringLiteral("冷却时间"), QStringLiteral("护甲"),
                               QStringLiteral("移动速度"), QStringLiteral("造成伤害")};
    QByteArray bytes("\xEF\xBB\xBF");
    for (int i = 0; i < kStrings; ++i) {
        QString text;
        const int lines = 1 + i % 3;
        for (int line = 0; line < lines; ++line) {
            if (line > 0) {
                text += u'\n';
            }
            for (int w = 0; w < 4 + i % 2; ++w) {
                const QString& word = words.at((i * 7 + line * 3 + w) % words.size());
                if (i % 2 == 0 && w == 2) {
                    const char* code = (i / 2) % 3 == 0 ? "|cffffcc00" : "|CFF0042FF";
                    text += QLatin1String(code) + word + (i % 97 == 0 ? "" : "|r");
                } else {
                    text += word;
                }
                text += QStringLiteral(" %1 ").arg(i % 100 + w);
            }
        }
        bytes += "STRING " + QByteArray::number(i + 1) + "\r\n// ";
        bytes += QStringLiteral("单位: h%1 (步兵), 说明").arg(i, 3, 36, QLatin1Char('0')).toUtf8();
        bytes += "\r\n{\r\n" + text.toUtf8().replace("\n", "\r\n") + "\r\n}\r\n\r\n";
    }
    return bytes;
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

} // namespace

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 21;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("war3map.wts"));
    const QString copy = dir.filePath(QStringLiteral("copy.wts"));
    const QByteArray table = generatedTable();
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(table);
    }
    std::printf("table: %d strings, %.2f MB\n", kStrings, double(table.size()) / 1e6);

    qsizetype sink = 0;
    const std::function<void()> plain = [&] {
        sink += readFile(path).split('\n').size();
    };
    const std::function<void()> readAndList = [&] {
        QString error;
        const std::optional<StringTable> read = readStringTableFile(path, &error);
        for (int i = 0; i < read->count(); ++i) {
            const StringEntry& entry = read->entry(i);
            const qsizetype lineEnd = entry.text.indexOf(u'\n');
            sink += entry.number + entry.comment.size() +
                    QStringView(entry.text).left(lineEnd < 0 ? entry.text.size() : lineEnd).size();
        }
    };
    const std::function<void()> check = [&] {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        sink += checkFiles({path}, outStream, errStream) + out.size();
    };
    const std::function<void()> replace = [&] {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        sink += replaceColorInFiles(rgbColor(0xFF, 0xCC, 0x00), rgbColor(0xFF, 0xD7, 0x00), {copy},
                                    outStream, errStream);
    };
    const std::vector<std::pair<const char*, const std::function<void()>*>> figures = {
        {"read and listed (the table built)", &readAndList},
        {"--check", &check},
        {"--replace-color (file written)", &replace}};

    std::vector<double> baseline;
    std::vector<std::vector<double>> times(figures.size());
    for (int round = 0; round <= rounds; ++round) {
        for (size_t f = 0; f <= figures.size(); ++f) {
            QFile::remove(copy);
            QFile::copy(path, copy);
            QElapsedTimer timer;
            timer.start();
            (f == 0 ? plain : *figures[f - 1].second)();
            const double elapsed = ms(timer);
            if (round > 0) { // the first round warms the caches
                (f == 0 ? baseline : times[f - 1]).push_back(elapsed);
            }
        }
    }
    const double base = median(baseline);
    std::printf("medians of %d rounds\n  %-36s %8.2f ms   ratio %6.2f\n", rounds,
                "readAll and split into lines", base, 1.0);
    for (size_t f = 0; f < figures.size(); ++f) {
        const double m = median(times[f]);
        std::printf("  %-36s %8.2f ms   ratio %6.2f\n", figures[f].first, m, m / base);
    }
    return sink == 0 ? 1 : 0;
}
