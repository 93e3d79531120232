// SPDX-License-Identifier: MIT
// "--check" and "--replace-color" over generated string tables: their output and exit status,
// a file that cannot be read never stopping the others nor being written.

#include "maptexts/command_line.h"
#include "support/files.h"

#include <QtTest>

using namespace hueprint;
using hueprint::testing::fileBytes;
using hueprint::testing::writeFile;

namespace {

const QByteArray kClean("STRING 1\n{\n|cffffcc00Gold|r\n}\n");
const QByteArray kWithNotes("\xEF\xBB\xBFSTRING 3\r\n{\r\n|cffffcc00\xE6\xAD\xA5 open\r\n}\r\n"
                            "STRING 004\n// x\n{\nline\n|r stray |cff12 cut\n}\n");
const QByteArray kDamaged("STRING 1\n{\nx\n");

struct Run {
    int status = 0;
    QString out;
    QString err;
};

Run run(const QStringList& arguments) {
    Run result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    result.status = runCommandLine(arguments, out, err);
    return result;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void commands_data();
    void commands();
    void replaceWritesOnlyWhatChanged();

private:
    QTemporaryDir dir_;
};

void CommandLineTest::initTestCase() {
    QVERIFY(dir_.isValid());
    QVERIFY(QDir::setCurrent(dir_.path()));
}

void CommandLineTest::init() {
    QVERIFY(QDir().mkpath(QStringLiteral("map")));
    QVERIFY(writeFile(QStringLiteral("clean.wts"), kClean));
    QVERIFY(writeFile(QStringLiteral("notes.wts"), kWithNotes));
    QVERIFY(writeFile(QStringLiteral("damaged.wts"), kDamaged));
    QVERIFY(writeFile(QStringLiteral("map/war3map.wts"), kWithNotes));
}

void CommandLineTest::commands_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // what it starts with

    const QString open = QStringLiteral(": character 1: color left open at the end (no \"|r\"): "
                                        "it colors whatever text follows when strings are joined");
    const QString notes =
        QStringLiteral("%1:STRING 3") + open +
        QStringLiteral("\n%1:STRING 4: character 6: \"|r\" with no color open\n"
                       "%1:STRING 4: character 15: color code cut short: \"|c\" needs eight "
                       "hexadecimal digits (AARRGGBB); it is drawn as it stands\n");
    QTest::newRow("check: nothing found")
        << QStringList{"--check", "clean.wts"} << 0 << QString() << QString();
    QTest::newRow("check: notes") << QStringList{"--check", "clean.wts", "notes.wts"} << 1
                                  << notes.arg(QStringLiteral("notes.wts")) << QString();
    QTest::newRow("check: a map folder")
        << QStringList{"--check", "map"} << 1 << notes.arg(QStringLiteral("map/war3map.wts"))
        << QString();
    QTest::newRow("check: unreadable files, the others still checked")
        << QStringList{"--check", "damaged.wts", "missing.wts", "notes.wts"} << 2
        << notes.arg(QStringLiteral("notes.wts"))
        << "hueprint: damaged.wts: not a string table: line 3: ";
    QTest::newRow("check: no file")
        << QStringList{"--check"} << 2 << QString() << "hueprint: usage: ";
    QTest::newRow("replace: not a color")
        << QStringList{"--replace-color", "FFCC00", "+FFD70", "clean.wts"} << 2 << QString()
        << "hueprint: --replace-color: a color is six hexadecimal digits";
    QTest::newRow("replace: no file") << QStringList{"--replace-color", "FFCC00", "FFD700"} << 2
                                      << QString() << "hueprint: usage: ";
}

void CommandLineTest::commands() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run result = run(arguments);
    QCOMPARE(result.out, out);
    QVERIFY2(err.isEmpty() ? result.err.isEmpty() : result.err.startsWith(err),
             qPrintable(result.err));
    QCOMPARE(result.status, status);
    QCOMPARE(fileBytes(QStringLiteral("clean.wts")), kClean);
}

void CommandLineTest::replaceWritesOnlyWhatChanged() {
    const Run result = run({"--replace-color", "ffcc00", "FFD700", "map", "damaged.wts",
                            "missing.wts", "notes.wts", "clean.wts"});
    QCOMPARE(result.status, 2);
    QCOMPARE(result.out, QStringLiteral("map/war3map.wts: 1 code changed\n"
                                        "notes.wts: 1 code changed\nclean.wts: 1 code changed\n"));
    QCOMPARE(result.err.count(u'\n'), 2);
    QByteArray expected = kWithNotes;
    expected.replace("|cffffcc00", "|cffffd700");
    QCOMPARE(fileBytes(QStringLiteral("notes.wts")), expected);
    QCOMPARE(fileBytes(QStringLiteral("map/war3map.wts")), expected);
    QCOMPARE(fileBytes(QStringLiteral("damaged.wts")), kDamaged);

    // Nothing of that color left: nothing written.
    const QDateTime past = QDateTime::currentDateTime().addDays(-1);
    QFile notes(QStringLiteral("notes.wts"));
    QVERIFY(notes.open(QIODevice::ReadWrite) &&
            notes.setFileTime(past, QFileDevice::FileModificationTime));
    notes.close();
    const Run again = run({"--replace-color", "FFCC00", "FFD700", "notes.wts"});
    QCOMPARE(again.status, 0);
    QCOMPARE(again.out, QStringLiteral("notes.wts: 0 codes changed\n"));
    QCOMPARE(QFileInfo(QStringLiteral("notes.wts")).lastModified().toSecsSinceEpoch(),
             past.toSecsSinceEpoch());
}

QTEST_APPLESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
