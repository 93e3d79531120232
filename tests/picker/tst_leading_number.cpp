// SPDX-License-Identifier: MIT
// LeadingNumber: the number at the start of a text, as the component and width boxes read it;
// and roundToInt32, the one way its double becomes an integer.

#include "picker/leading_number.h"

#include <QtTest>
#include <cmath>
#include <limits>

using hueprint::LeadingNumber;
using hueprint::roundToInt32;

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

class LeadingNumberTest : public QObject {
    Q_OBJECT
private slots:
    void grammar_data();
    void grammar();
    void hostileInputs_data();
    void hostileInputs();
    void hugeInputsStayQuick();
    void roundsToInt32_data();
    void roundsToInt32();
};

void LeadingNumberTest::grammar_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    // No number at all.
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blanks only") << QStringLiteral("  \t\n ") << 0.0;
    QTest::newRow("letters") << QStringLiteral("abc") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("point alone") << QStringLiteral(".") << 0.0;
    QTest::newRow("exponent without digits") << QStringLiteral("E5") << 0.0;
    QTest::newRow("letter before digits") << QStringLiteral("x12") << 0.0;

    // Plain digits.
    QTest::newRow("zero") << QStringLiteral("0") << 0.0;
    QTest::newRow("digits") << QStringLiteral("255") << 255.0;
    QTest::newRow("leading zeros") << QStringLiteral("000042") << 42.0;

    // Blanks, tabs and line feeds are skipped wherever they stand.
    QTest::newRow("leading blanks") << QStringLiteral("   12") << 12.0;
    QTest::newRow("leading tab and LF") << QStringLiteral("\t\n12") << 12.0;
    QTest::newRow("blank inside digits") << QStringLiteral("1 2 3") << 123.0;
    QTest::newRow("tab inside digits") << QStringLiteral("1\t2") << 12.0;
    QTest::newRow("LF inside digits") << QStringLiteral("1\n2") << 12.0;
    QTest::newRow("blank after sign") << QStringLiteral("- 5") << -5.0;
    QTest::newRow("blank around point") << QStringLiteral("2 . 5") << 2.5;
    QTest::newRow("blank in exponent") << QStringLiteral("1 E 2") << 100.0;
    QTest::newRow("blank after ampersand") << QStringLiteral("& H 1F") << 31.0;
    QTest::newRow("CR is not skipped") << QStringLiteral("1\r2") << 1.0;

    // Sign.
    QTest::newRow("plus") << QStringLiteral("+7") << 7.0;
    QTest::newRow("minus") << QStringLiteral("-7") << -7.0;
    QTest::newRow("two signs") << QStringLiteral("--7") << 0.0;
    QTest::newRow("sign after digits stops") << QStringLiteral("7-1") << 7.0;

    // One decimal point.
    QTest::newRow("fraction") << QStringLiteral("2.5") << 2.5;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("5.") << 5.0;
    QTest::newRow("second point stops") << QStringLiteral("1.2.3") << 1.2;
    QTest::newRow("negative fraction") << QStringLiteral("-0.25") << -0.25;

    // Exponents with E or D, either case, with or without a sign.
    QTest::newRow("E") << QStringLiteral("1E2") << 100.0;
    QTest::newRow("e") << QStringLiteral("1e2") << 100.0;
    QTest::newRow("D") << QStringLiteral("1D2") << 100.0;
    QTest::newRow("d") << QStringLiteral("1d2") << 100.0;
    QTest::newRow("E plus") << QStringLiteral("2.5E+1") << 25.0;
    QTest::newRow("E minus") << QStringLiteral("25E-1") << 2.5;
    QTest::newRow("point then E") << QStringLiteral(".5E1") << 5.0;
    QTest::newRow("E without digits") << QStringLiteral("3E") << 3.0;
    QTest::newRow("E sign without digits") << QStringLiteral("3E-") << 3.0;
    QTest::newRow("second E stops") << QStringLiteral("1E1E1") << 10.0;
    QTest::newRow("point in exponent stops") << QStringLiteral("1E1.5") << 10.0;
    QTest::newRow("1E9") << QStringLiteral("1E9") << 1e9;

    // Radix prefixes.
    QTest::newRow("&H") << QStringLiteral("&HFF") << 255.0;
    QTest::newRow("&h lower") << QStringLiteral("&hff") << 255.0;
    QTest::newRow("&H mixed digits") << QStringLiteral("&H1a2B") << 6699.0;
    QTest::newRow("&H stops at G") << QStringLiteral("&H1G") << 1.0;
    QTest::newRow("&H without digits") << QStringLiteral("&H") << 0.0;
    QTest::newRow("&O") << QStringLiteral("&O17") << 15.0;
    QTest::newRow("&o lower") << QStringLiteral("&o777") << 511.0;
    QTest::newRow("&O stops at 8") << QStringLiteral("&O78") << 7.0;
    QTest::newRow("&H has no point") << QStringLiteral("&H1.8") << 1.0;
    QTest::newRow("ampersand alone") << QStringLiteral("&") << 0.0;
    QTest::newRow("ampersand other letter") << QStringLiteral("&B101") << 0.0;
    QTest::newRow("sign before &H") << QStringLiteral("-&H10") << 0.0;

    // Reading stops at the first character that cannot continue.
    QTest::newRow("stops at letter") << QStringLiteral("12ab") << 12.0;
    QTest::newRow("stops at comma") << QStringLiteral("1,5") << 1.0;
    QTest::newRow("stops at percent") << QStringLiteral("50%") << 50.0;
}

void LeadingNumberTest::grammar() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = LeadingNumber(text);
    QVERIFY2(!std::isnan(value), qPrintable(text));
    QCOMPARE(value, expected);
}

void LeadingNumberTest::hostileInputs_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("1E400 overflows to +inf") << QStringLiteral("1E400") << kInf;
    QTest::newRow("-1E400 overflows to -inf") << QStringLiteral("-1E400") << -kInf;
    QTest::newRow("1E-400 underflows to 0") << QStringLiteral("1E-400") << 0.0;
    QTest::newRow("exponent with many digits") << QStringLiteral("1E99999999999999999999") << kInf;
    QTest::newRow("negative exponent with many digits")
        << QStringLiteral("1E-99999999999999999999") << 0.0;
    QTest::newRow("huge mantissa, huge negative exponent")
        << (QString(400, u'9') + QStringLiteral("E-400")) << 1e0;
    QTest::newRow("&HFFFFFFFFFFFF") << QStringLiteral("&HFFFFFFFFFFFF") << 281474976710655.0;
    QTest::newRow("&O 30 sevens") << (QStringLiteral("&O") + QString(30, u'7'))
                                  << std::ldexp(1.0, 90) - 1.0;
    QTest::newRow("400 digits") << QString(400, u'1') << kInf;
    QTest::newRow("309 digits beyond DBL_MAX") << QString(309, u'9') << kInf;
    QTest::newRow("308 nines still finite") << QString(308, u'9') << 1e308;
    QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0661\u0662\u0663") << 0.0;
    QTest::newRow("fullwidth digits") << QStringLiteral("\uFF11\uFF12") << 0.0;
    QTest::newRow("digits then Devanagari digit") << QStringLiteral("12\u0969") << 12.0;
    QTest::newRow("superscript two") << QStringLiteral("\u00B2") << 0.0;
    QTest::newRow("NUL before digits") << QString(QChar(0)) + QStringLiteral("5") << 0.0;
    QTest::newRow("NUL after digits")
        << QStringLiteral("5") + QString(QChar(0)) + QStringLiteral("5") << 5.0;
    QTest::newRow("escape") << QStringLiteral("\x1b"
                                              "12")
                            << 0.0;
    QTest::newRow("vertical tab is not skipped") << QStringLiteral("\v12") << 0.0;
    QTest::newRow("no-break space is not skipped") << QStringLiteral("\u00A012") << 0.0;
    QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + QStringLiteral("1") << 0.0;
    QTest::newRow("text 'inf'") << QStringLiteral("inf") << 0.0;
    QTest::newRow("text 'nan'") << QStringLiteral("nan") << 0.0;
    QTest::newRow("hex float form") << QStringLiteral("0x1p4") << 0.0;
}

void LeadingNumberTest::hostileInputs() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double value = LeadingNumber(text);
    QVERIFY(!std::isnan(value));
    if (std::isinf(expected) || expected == 0.0) {
        QCOMPARE(value, expected);
    } else {
        // Long digit strings round in the last place.
        QVERIFY2(std::abs(value - expected) <= std::abs(expected) * 1e-15,
                 qPrintable(QString::number(value, 'g', 17)));
    }
}

// Megabyte-long texts (a paste or an edited store) are read in one pass: no hang, no blow-up.
void LeadingNumberTest::hugeInputsStayQuick() {
    const qsizetype megabyte = 1 << 20;
    struct Case {
        const char* name;
        QString text;
        double expected;
    };
    const Case cases[] = {
        {"1 MB of digits", QString(megabyte, u'7'), kInf},
        {"1 MB of zeros then 5", QString(megabyte, u'0') + QStringLiteral("5"), 5.0},
        {"point and 1 MB of zeros then 5", QStringLiteral("0.") + QString(megabyte, u'0') + u'5',
         0.0},
        {"1 MB of hex digits", QStringLiteral("&H") + QString(megabyte, u'F'), kInf},
        {"200000 zeros after the point, then E200000",
         QStringLiteral("0.") + QString(199999, u'0') + QStringLiteral("1E200000"), 1.0},
        {"200000 zeros after the point, then E199999",
         QStringLiteral("0.") + QString(199999, u'0') + QStringLiteral("1E199999"), 0.1},
        {"1 MB of blanks then 9", QString(megabyte, u' ') + QStringLiteral("9"), 9.0},
        {"1 MB of exponent digits", QStringLiteral("1E") + QString(megabyte, u'9'), kInf},
        {"1 MB of digits then E-1 MB",
         QString(megabyte, u'3') + QStringLiteral("E-") + QString(megabyte, u'9'), 0.0},
    };
    for (const Case& c : cases) {
        QElapsedTimer timer;
        timer.start();
        const double value = LeadingNumber(c.text);
        const qint64 ms = timer.elapsed();
        QVERIFY2(value == c.expected,
                 qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(c.name)).arg(value)));
        QVERIFY2(ms < 2000, c.name);
    }
}

void LeadingNumberTest::roundsToInt32_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("expected");

    QTest::newRow("whole") << 30.0 << 30;
    QTest::newRow("below half") << 2.4 << 2;
    QTest::newRow("above half") << 2.6 << 3;
    QTest::newRow("0.5 to even 0") << 0.5 << 0;
    QTest::newRow("1.5 to even 2") << 1.5 << 2;
    QTest::newRow("2.5 to even 2") << 2.5 << 2;
    QTest::newRow("3.5 to even 4") << 3.5 << 4;
    QTest::newRow("254.5 to even 254") << 254.5 << 254;
    QTest::newRow("-2.5 to even -2") << -2.5 << -2;
    QTest::newRow("-3.5 to even -4") << -3.5 << -4;
    QTest::newRow("negative zero") << -0.0 << 0;
    QTest::newRow("largest") << 2147483647.0 << std::numeric_limits<int>::max();
    QTest::newRow("lowest") << -2147483648.0 << std::numeric_limits<int>::min();
    QTest::newRow("just above largest saturates")
        << 2147483647.6 << std::numeric_limits<int>::max();
    QTest::newRow("just below lowest saturates")
        << -2147483648.6 << std::numeric_limits<int>::min();
    QTest::newRow("1E9") << 1e9 << 1000000000;
    QTest::newRow("1E300 saturates") << 1e300 << std::numeric_limits<int>::max();
    QTest::newRow("-1E300 saturates") << -1e300 << std::numeric_limits<int>::min();
    QTest::newRow("+inf saturates") << kInf << std::numeric_limits<int>::max();
    QTest::newRow("-inf saturates") << -kInf << std::numeric_limits<int>::min();
    QTest::newRow("NaN gives 0") << std::numeric_limits<double>::quiet_NaN() << 0;
    QTest::newRow("tiny") << 1e-300 << 0;
}

void LeadingNumberTest::roundsToInt32() {
    QFETCH(double, value);
    QFETCH(int, expected);
    QCOMPARE(roundToInt32(value), expected);
}

QTEST_APPLESS_MAIN(LeadingNumberTest)
#include "tst_leading_number.moc"
