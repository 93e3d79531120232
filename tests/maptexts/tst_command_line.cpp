// SPDX-License-Identifier: MIT
// --check and --replace-color over generated string tables: output and exit status; a file that
// cannot be read never stops the others nor is written; a file left as it was is not rewritten.

#include "maptexts/command_line.h"
#include "support/files.h"

#include <QtTest>

using namespace hueprint;

const QByteArray kNotes("\xEF\xBB\xBFSTRING 3\r\n{\r\n|cffffcc00\xE6\xAD\xA5 open\r\n}\r\n"
                        "STRING 004\n// x\n{\nline\n|r stray |cff12 cut\n}\n");
const std::map<QString, QByteArray> kFiles{{"clean.wts", "STRING 1\n{\n|cffffcc00Gold|r\n}\n"},
                                           {"damaged.wts", "STRING 1\n{\nx\n"},
                                           {"notes.wts", kNotes},
                                           {"map/war3map.wts", kNotes}};
const QDateTime kPast(QDate(2020, 1, 1), QTime(12, 0));

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
};

void CommandLineTest::commands_data() {
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // a file said to have a code changed must be written
    QTest::addColumn<QString>("err"); // a regular expression
    const auto row = [](const char* tag, const QString& args, int status, const QString& out,
                        const QString& err) {
        QTest::newRow(tag) << args << status << out << err;
    };
    const QString notes =
        QStringLiteral("%1:STRING 3: character 1: color left open at the end (no \"|r\"): it "
                       "colors whatever text follows when strings are joined\n"
                       "%1:STRING 4: character 6: \"|r\" with no color open\n"
                       "%1:STRING 4: character 15: color code cut short: \"|c\" needs eight "
                       "hexadecimal digits (AARRGGBB); it is drawn as it stands\n");
    const char* unreadable =
        "hueprint: damaged.wts: not a string table: line 3: .*\nhueprint: missing.wts: .*\n";
    row("check: nothing found", "--check clean.wts", 0, "", "");
    row("check: notes", "--check clean.wts notes.wts", 1, notes.arg("notes.wts"), "");
    row("check: a map folder", "--check map", 1, notes.arg("map/war3map.wts"), "");
    row("check: unreadable files, the others still checked",
        "--check damaged.wts missing.wts notes.wts", 2, notes.arg("notes.wts"), unreadable);
    row("check: no file", "--check", 2, "", "hueprint: usage: .*\n");
    row("replace: unreadable files, the others still written",
        "--replace-color ffcc00 FFD700 map damaged.wts missing.wts notes.wts", 2,
        "map/war3map.wts: 1 code changed\nnotes.wts: 1 code changed\n", unreadable);
    row("replace: no code of that color, nothing written",
        "--replace-color 123456 FFD700 notes.wts", 0, "notes.wts: 0 codes changed\n", "");
    row("replace: not a color", "--replace-color FFCC00 +FFD70 clean.wts", 2, "",
        "hueprint: --replace-color: a color is six hexadecimal digits.*\n");
    row("replace: no file", "--replace-color FFCC00 FFD700", 2, "", "hueprint: usage: .*\n");
}

void CommandLineTest::commands() {
    QFETCH(QString, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()) && QDir().mkpath(QStringLiteral("map")));
    for (const auto& [path, bytes] : kFiles) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                file.flush() && file.setFileTime(kPast, QFileDevice::FileModificationTime));
    }
    QString output, errors;
    QTextStream outStream(&output), errStream(&errors);
    QCOMPARE(runCommandLine(arguments.split(u' '), outStream, errStream), status);
    QCOMPARE(output, out);
    QCOMPARE(errors.remove(QRegularExpression(err)), QString()); // all of it matched
    for (const auto& [path, old] : kFiles) {
        const bool written = out.contains(path + QStringLiteral(": 1 code changed"));
        QCOMPARE(testing::fileBytes(path),
                 QByteArray(old).replace("ffcc00", written ? "ffd700" : "ffcc00"));
        QVERIFY(written || QFileInfo(path).lastModified() == kPast);
    }
}

QTEST_APPLESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
