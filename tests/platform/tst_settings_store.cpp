// SPDX-License-Identifier: MIT
// The per-user settings store on its real backing, QSettings' INI file, pointed at a
// temporary folder so that the user's own settings are never touched.

#include "platform/settings_store.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

using hueprint::QtSettingsStore;

namespace {

const QString kApplication = QStringLiteral("tst_settings_store_app");

} // namespace

class SettingsStoreTest : public QObject {
    Q_OBJECT
private slots:
    void init();

    void missingKeyHasNoValue();
    void keysAndSectionsWithSpacesRoundTrip();
    void emptyValueIsAValue();
    void valuesWrittenReadBackExactly_data();
    void valuesWrittenReadBackExactly();
    void handEditedValues_data();
    void handEditedValues();
    void damagedLineSwallowsNoWholeLine_data();
    void damagedLineSwallowsNoWholeLine();
    void storesAreSeparatedByApplicationName();
    void applicationNameIsTheExecutablesBaseName();
    void applicationNameFromCommand_data();
    void applicationNameFromCommand();

private:
    QString iniPath() const { return dir_->filePath(kApplication + QStringLiteral(".ini")); }
    void writeIni(const QByteArray& content) const;

    std::unique_ptr<QTemporaryDir> dir_;
};

void SettingsStoreTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->path());
}

void SettingsStoreTest::writeIni(const QByteArray& content) const {
    QFile file(iniPath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

void SettingsStoreTest::missingKeyHasNoValue() {
    writeIni("[Settings]\nAutoCopy=1\n");
    QtSettingsStore store(kApplication);
    QCOMPARE(store.fileName(), iniPath());
    QCOMPARE(store.value(QStringLiteral("Settings"), QStringLiteral("AutoCopy")),
             std::optional<QString>(QStringLiteral("1")));
    QCOMPARE(store.value(QStringLiteral("Settings"), QStringLiteral("Decimal")), std::nullopt);
    QCOMPARE(store.value(QStringLiteral("Favorites"), QStringLiteral("0")), std::nullopt);
    QCOMPARE(store.value(QStringLiteral("No Such Section"), QStringLiteral("X")), std::nullopt);
}

void SettingsStoreTest::keysAndSectionsWithSpacesRoundTrip() {
    {
        QtSettingsStore store(kApplication);
        store.setValue(QStringLiteral("Settings"), QStringLiteral("Current Color"),
                       QStringLiteral("33023"));
        store.setValue(QStringLiteral("Settings"), QStringLiteral("Number of Characters"),
                       QStringLiteral("6"));
        store.setValue(QStringLiteral("Form Position"), QStringLiteral("X"),
                       QStringLiteral("2880"));
        store.sync();
    }
    QtSettingsStore reread(kApplication);
    QCOMPARE(reread.value(QStringLiteral("Settings"), QStringLiteral("Current Color")),
             std::optional<QString>(QStringLiteral("33023")));
    QCOMPARE(reread.value(QStringLiteral("Settings"), QStringLiteral("Number of Characters")),
             std::optional<QString>(QStringLiteral("6")));
    QCOMPARE(reread.value(QStringLiteral("Form Position"), QStringLiteral("X")),
             std::optional<QString>(QStringLiteral("2880")));

    // The names land in the file as sections and keys, not as one flattened name.
    QFile file(iniPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    QVERIFY2(content.contains("[Form%20Position]\nX=2880\n"), content.constData());
    QVERIFY2(content.contains("[Settings]\nCurrent%20Color=33023\n"), content.constData());
}

void SettingsStoreTest::emptyValueIsAValue() {
    {
        QtSettingsStore store(kApplication);
        store.setValue(QStringLiteral("Settings"), QStringLiteral("Prefix"), QString());
        store.sync();
    }
    QtSettingsStore reread(kApplication);
    const auto prefix = reread.value(QStringLiteral("Settings"), QStringLiteral("Prefix"));
    QVERIFY(prefix.has_value());
    QCOMPARE(*prefix, QString());

    // The same for a key left empty by hand.
    writeIni("[Settings]\nPrefix=\nNumber%20of%20Characters=\n");
    QtSettingsStore handEdited(kApplication);
    QCOMPARE(handEdited.value(QStringLiteral("Settings"), QStringLiteral("Prefix")),
             std::optional<QString>(QString()));
    QCOMPARE(handEdited.value(QStringLiteral("Settings"), QStringLiteral("Number of Characters")),
             std::optional<QString>(QString()));
}

void SettingsStoreTest::valuesWrittenReadBackExactly_data() {
    QTest::addColumn<QString>("text");
    QTest::newRow("color code prefix") << QStringLiteral("|cFF");
    QTest::newRow("commas") << QStringLiteral("a,b, c");
    QTest::newRow("semicolon") << QStringLiteral("x;y");
    QTest::newRow("equals and brackets") << QStringLiteral("[a]=b");
    QTest::newRow("quotes and backslash") << QStringLiteral("\"q\" \\ end\\");
    QTest::newRow("leading and trailing blanks") << QStringLiteral("  padded  ");
    QTest::newRow("at sign") << QStringLiteral("@Variant(1)");
    QTest::newRow("line breaks and tab") << QStringLiteral("a\nb\r\tc");
    QTest::newRow("non-ASCII") << QStringLiteral("Farbe \u00e9\u4e2d\U0001F3A8");
    QTest::newRow("True") << QStringLiteral("True");
    QTest::newRow("negative number") << QStringLiteral("-2147483648");
}

void SettingsStoreTest::valuesWrittenReadBackExactly() {
    QFETCH(QString, text);
    {
        QtSettingsStore store(kApplication);
        store.setValue(QStringLiteral("Settings"), QStringLiteral("Prefix"), text);
        store.sync();
    }
    QtSettingsStore reread(kApplication);
    QCOMPARE(reread.value(QStringLiteral("Settings"), QStringLiteral("Prefix")),
             std::optional<QString>(text));
}

void SettingsStoreTest::handEditedValues_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("expected");
    // Unquoted commas make QSettings read a list; the store gives it back as one text.
    QTest::newRow("commas") << QByteArray("Prefix=a, b, c") << QStringLiteral("a, b, c");
    // QSettings trims the blanks around list items, so the text comes back with one blank
    // after each comma, however it was spaced by hand.
    QTest::newRow("commas without blanks")
        << QByteArray("Prefix=a,b ,c") << QStringLiteral("a, b, c");
    QTest::newRow("comma in a number") << QByteArray("Prefix=1, 5") << QStringLiteral("1, 5");
    QTest::newRow("quoted commas") << QByteArray("Prefix=\"a,b\"") << QStringLiteral("a,b");
    QTest::newRow("plain") << QByteArray("Prefix=|cFF") << QStringLiteral("|cFF");
    // A value of another kind holds no text: the key reads as missing, so its default applies.
    QTest::newRow("rectangle") << QByteArray("Prefix=@Rect(1 2 3 4)") << QString();
    QTest::newRow("byte array") << QByteArray("Prefix=@ByteArray(42)") << QStringLiteral("42");
}

void SettingsStoreTest::handEditedValues() {
    QFETCH(QByteArray, line);
    QFETCH(QString, expected);
    writeIni("[Settings]\n" + line + "\n");
    QtSettingsStore store(kApplication);
    const auto value = store.value(QStringLiteral("Settings"), QStringLiteral("Prefix"));
    if (expected.isNull()) {
        QCOMPARE(value, std::nullopt);
    } else {
        QCOMPARE(value, std::optional<QString>(expected));
    }
}

void SettingsStoreTest::damagedLineSwallowsNoWholeLine_data() {
    QTest::addColumn<QByteArray>("damaged");
    // Each of these makes QSettings take the following lines into the damaged one.
    QTest::newRow("stray quote") << QByteArray("1=ab\"cd");
    QTest::newRow("comment mark") << QByteArray("1=ab;cd");
    QTest::newRow("trailing backslash") << QByteArray("1=abcd\\");
    QTest::newRow("binary bytes") << QByteArray("1=\x01\xff\"\x7f;\\");
    QTest::newRow("harmless") << QByteArray("1=abcd");
}

void SettingsStoreTest::damagedLineSwallowsNoWholeLine() {
    QFETCH(QByteArray, damaged);
    writeIni("[Favorites]\n0=8388608\n" + damaged +
             "\n3=255\n7=65280\n[Settings]\nCurrent%20Color=33023\nPrefix=\n");
    QtSettingsStore store(kApplication);
    const QString favorites = QStringLiteral("Favorites");
    QCOMPARE(store.value(favorites, QStringLiteral("0")),
             std::optional<QString>(QStringLiteral("8388608")));
    QCOMPARE(store.value(favorites, QStringLiteral("3")),
             std::optional<QString>(QStringLiteral("255")));
    QCOMPARE(store.value(favorites, QStringLiteral("7")),
             std::optional<QString>(QStringLiteral("65280")));
    QCOMPARE(store.value(QStringLiteral("Settings"), QStringLiteral("Current Color")),
             std::optional<QString>(QStringLiteral("33023")));
    QCOMPARE(store.value(QStringLiteral("Settings"), QStringLiteral("Prefix")),
             std::optional<QString>(QString()));
    QCOMPARE(store.value(favorites, QStringLiteral("4")), std::nullopt);
    QCOMPARE(store.value(QStringLiteral("Settings"), QStringLiteral("AutoCopy")), std::nullopt);

    // What the store writes next is read back by QSettings itself.
    store.setValue(favorites, QStringLiteral("4"), QStringLiteral("128"));
    store.sync();
    QSettings check(iniPath(), QSettings::IniFormat);
    QCOMPARE(check.status(), QSettings::NoError);
    QCOMPARE(check.value(QStringLiteral("Favorites/4")).toString(), QStringLiteral("128"));
}

void SettingsStoreTest::storesAreSeparatedByApplicationName() {
    {
        QtSettingsStore store(kApplication);
        store.setValue(QStringLiteral("Settings"), QStringLiteral("AutoCopy"), QStringLiteral("0"));
        store.sync();
    }
    QtSettingsStore other(QStringLiteral("renamed copy"));
    QCOMPARE(other.value(QStringLiteral("Settings"), QStringLiteral("AutoCopy")), std::nullopt);
    QCOMPARE(QFileInfo(other.fileName()).fileName(), QStringLiteral("renamed copy.ini"));
}

void SettingsStoreTest::applicationNameIsTheExecutablesBaseName() {
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    QCOMPARE(executable.fileName(), QStringLiteral("tst_settings_store"));
    QCOMPARE(hueprint::settingsApplicationName(), QStringLiteral("tst_settings_store"));
}

void SettingsStoreTest::applicationNameFromCommand_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("name");
    QTest::newRow("bare name") << "hueprint"
                               << "hueprint";
    QTest::newRow("full path") << "/usr/bin/hueprint"
                               << "hueprint";
    QTest::newRow("symbolic link's name") << "/home/u/bin/otherhue"
                                          << "otherhue";
    QTest::newRow("relative, extension") << "./x.bin"
                                         << "x";
    QTest::newRow("dots in the name") << "/opt/hue.print.v2.exe"
                                      << "hue.print.v2";
    QTest::newRow("dotted directory") << "/opt/hue.d/hueprint"
                                      << "hueprint";
    QTest::newRow("blanks") << "/tmp/my hue.sh"
                            << "my hue";
    QTest::newRow("trailing dot") << "hue."
                                  << "hue";
    QTest::newRow("all extension") << "/tmp/.hue"
                                   << ".hue";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("trailing slash") << "/usr/bin/"
                                    << "";
}

void SettingsStoreTest::applicationNameFromCommand() {
    QFETCH(QString, command);
    QFETCH(QString, name);
    QCOMPARE(hueprint::applicationNameFromCommand(command), name);
}

QTEST_GUILESS_MAIN(SettingsStoreTest)
#include "tst_settings_store.moc"
