// SPDX-License-Identifier: MIT
// Bad input at the level of the windows: a megabyte of text in the template window's text box
// and in the picker's prefix box, hostile text pasted into every box of the picker, and the
// picker opened and closed a thousand times. Whatever arrives, the program keeps working, its
// color stays within 0..16777215 and its views stay in step.

#include "app/picker_host.h"
#include "app/picker_window.h"
#include "app/template_window.h"
#include "picker/leading_number.h"
#include "picker/picker_settings.h"
#include "platform/color_swatch.h"
#include "support/picker_invariants.h"
#include "support/recording_platform.h"
#include "support/template_fixture.h"
#include "support/windows.h"
#include "template/preset_palette.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>
#include <atomic>
#include <malloc.h>

#include "support/sanitizer_build.h"
#ifdef HUEPRINT_ASAN
#include <sanitizer/allocator_interface.h>
#endif

// Qt's table of hooks for tools that follow QObjects (declared in Qt's private qhooks_p.h).
extern quintptr Q_CORE_EXPORT qtHookData[];

using namespace hueprint;
using namespace hueprint::testing;

namespace {

constexpr qsizetype kMegabyte = qsizetype{1024} * 1024;

// Counts live QObjects through Qt's object hooks.
namespace object_count {
// Indexes into qtHookData (QHooks::HookIndex).
constexpr int kQtVersion = 2;
constexpr int kAddQObject = 3;
constexpr int kRemoveQObject = 4;
using Callback = void (*)(QObject*);

std::atomic<long long> live{0};
Callback previousAdd = nullptr;
Callback previousRemove = nullptr;

void added(QObject* object) {
    ++live;
    if (previousAdd != nullptr) {
        previousAdd(object);
    }
}

void removed(QObject* object) {
    --live;
    if (previousRemove != nullptr) {
        previousRemove(object);
    }
}

bool install() {
    if (qtHookData[kQtVersion] != QT_VERSION) {
        return false; // a Qt other than the one we were built against: its table may differ
    }
    // Qt's table keeps the hooks as integers.
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    previousAdd = reinterpret_cast<Callback>(qtHookData[kAddQObject]);
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    previousRemove = reinterpret_cast<Callback>(qtHookData[kRemoveQObject]);
    qtHookData[kAddQObject] = reinterpret_cast<quintptr>(&added);
    qtHookData[kRemoveQObject] = reinterpret_cast<quintptr>(&removed);
    return true;
}

void uninstall() {
    qtHookData[kAddQObject] = reinterpret_cast<quintptr>(previousAdd);
    qtHookData[kRemoveQObject] = reinterpret_cast<quintptr>(previousRemove);
}
} // namespace object_count

// Bytes the program holds on the heap now.
qint64 heapInUse() {
#ifdef HUEPRINT_ASAN
    return static_cast<qint64>(__sanitizer_get_current_allocated_bytes());
#else
    return static_cast<qint64>(mallinfo2().uordblks);
#endif
}

// Whether heapInUse() counts exactly the live allocations: always under AddressSanitizer; with
// glibc only when its per-thread cache is off (the test's environment turns it off), since
// glibc counts the blocks that cache holds as in use.
bool heapCountIsExact() {
#ifdef HUEPRINT_ASAN
    return true;
#else
    return qEnvironmentVariable("GLIBC_TUNABLES").contains(QLatin1String("tcache_count=0"));
#endif
}

// Resident set size in kilobytes (VmRSS), or -1.
qint64 residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return -1;
    }
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

// Runs what the event loop would run between two user actions: the posted events (polish,
// update and layout requests) and the deletion of closed windows.
void deleteClosedWindows() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Text as users might paste it: words, punctuation, markup, line breaks and non-Latin letters.
QString megabyteOfText(bool lineBreaks) {
    const QString piece = QStringLiteral("Hello |cFFFF0000world|r, grüße κόσμε 世界 &H7F 1e9 -5\t");
    QString text;
    text.reserve(kMegabyte + piece.size() + 1);
    int pieces = 0;
    while (text.size() < kMegabyte) {
        text += piece;
        if (lineBreaks && ++pieces % 8 == 0) {
            text += QLatin1Char('\n');
        }
    }
    text.truncate(kMegabyte);
    return text;
}

// What a user might paste into a number box.
QStringList hostileTexts() {
    QStringList texts = {
        QStringLiteral("-5"),
        QStringLiteral("-0"),
        QStringLiteral("-1E2"),
        QStringLiteral("-255"),
        QStringLiteral("1E2"),
        QStringLiteral("2.5E2"),
        QStringLiteral("1e999"),
        QStringLiteral("9E99"),
        QStringLiteral("1D3"),
        QStringLiteral("1e-999"),
        QStringLiteral("&HFF"),
        QStringLiteral("&H"),
        QStringLiteral("&hff"),
        QStringLiteral("&O377"),
        QStringLiteral("&H-1"),
        QStringLiteral("&HFFFFFFFF"),
        QStringLiteral("&"),
        QStringLiteral("+"),
        QStringLiteral("-"),
        QStringLiteral("."),
        QStringLiteral("0"),
        QStringLiteral("00"),
        QStringLiteral("0.4"),
        QStringLiteral("0.5"),
        QStringLiteral("254.5"),
        QStringLiteral("255"),
        QStringLiteral("256"),
        QStringLiteral("999"),
        QStringLiteral("9999"),
        QStringLiteral("4294967296"),
        QStringLiteral("NaN"),
        QStringLiteral("Infinity"),
        QStringLiteral("-Infinity"),
        QStringLiteral(" 1 2"),
        QStringLiteral("\t7\n"),
        QStringLiteral("\r\n12"),
        QStringLiteral("12\n34"),
        QStringLiteral("1\u00002"),
        QStringLiteral("\u0001\u0002\u001b"),
        QStringLiteral("\u007f"),
        QStringLiteral("\u202e99"),
        QStringLiteral("\u200b5"),
        QString::fromUtf8("\u0663\u0664"),       // Arabic-Indic digits
        QString::fromUtf8("\uff11\uff12\uff13"), // full-width digits
        QString::fromUtf8("\u0969"),             // Devanagari three
        QString::fromUtf8("\u00b2\u00b3"),       // superscripts
        QString::fromUtf8("\U0001F600"),         // an emoji, two UTF-16 units
        QString(QChar(0xD800)),                  // a lone surrogate
        QString(300, QLatin1Char('9')),
    };
    texts << megabyteOfText(false).left(70000);
    return texts;
}

QString shown(const QString& text) {
    QString visible;
    for (QChar c : text.left(24)) {
        visible += c.isPrint() ? QString(c)
                               : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
    }
    return text.size() > 24 ? visible + QStringLiteral("...(%1)").arg(text.size()) : visible;
}

// Pastes through the system clipboard over the box's whole text, as Ctrl+V after selecting all.
void pasteOver(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->selectAll();
    box->paste();
}

// Pastes through the system clipboard after the box's first character.
void pasteInside(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    box->deselect();
    box->setCursorPosition(std::min<int>(1, static_cast<int>(box->text().size())));
    box->paste();
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void megabyteInTemplateText_data();
    void megabyteInTemplateText();
    void megabyteInPrefix();
    void pastedIntoEveryBox_data();
    void pastedIntoEveryBox();
    void pastedWhileTyping();
    void openedAndClosedThousandTimes();

private:
    bool countingObjects_ = false;
};

namespace {

QtMessageHandler testLibHandler = nullptr;

// The offscreen platform warns on every raise() of a window; the thousand opens would drown
// the test's own output in it.
void quietOffscreenNoise(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (message.contains(QLatin1String("does not support raise()")) ||
        message.contains(QLatin1String("OpenType support missing"))) {
        return;
    }
    testLibHandler(type, context, message);
}

} // namespace

void HostileInputTest::initTestCase() {
    testLibHandler = qInstallMessageHandler(&quietOffscreenNoise);
    countingObjects_ = object_count::install();
}

void HostileInputTest::cleanupTestCase() {
    qInstallMessageHandler(testLibHandler);
    if (countingObjects_) {
        object_count::uninstall();
    }
}

void HostileInputTest::megabyteInTemplateText_data() {
    QTest::addColumn<bool>("lineBreaks");
    QTest::newRow("lines") << true;
    QTest::newRow("one line") << false;
}

void HostileInputTest::megabyteInTemplateText() {
    QFETCH(bool, lineBreaks);
    TemplateFixture program;
    Form1& form = *program.window;
    QVERIFY(showActive(&form));
    const QString text = megabyteOfText(lineBreaks);

    QElapsedTimer timer;
    timer.start();
    // Pasted, as the user would bring a megabyte in.
    QGuiApplication::clipboard()->setText(text);
    form.Text2->setFocus(Qt::TabFocusReason);
    form.Text2->paste();
    QCOMPARE(form.Text2->toPlainText().size(), text.size());
    QCOMPARE(form.Text2->toPlainText(), text);

    // Composing with a preset color and copying the result.
    QTest::mouseClick(form.Picture(10), Qt::LeftButton);
    const QString code = presetPalette().at(9).code();
    QCOMPARE(form.Text3->text(), code);
    QCOMPARE(form.Text1->toPlainText(), code + text + QStringLiteral("|r"));
    QTest::mouseClick(form.Command3, Qt::LeftButton);
    QCOMPARE(program.platform.clipboard.text, code + text + QStringLiteral("|r"));

    // Composing again with the picker's color.
    frmMain* picker = program.openPicker();
    QVERIFY(picker != nullptr);
    picker->sldGreen->setValue(128);
    QTest::mouseClick(picker->Command1, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(program.host->picker() == nullptr);
    QCOMPARE(form.Text1->toPlainText(), form.Text3->text() + text + QStringLiteral("|r"));
    QVERIFY(isPlainColor(form.Picture49->backColor()));

    // Erase empties both boxes.
    QTest::mouseClick(form.Command2, Qt::LeftButton);
    QVERIFY(form.Text1->toPlainText().isEmpty());
    QVERIFY(form.Text2->toPlainText().isEmpty());
    qInfo("a megabyte (%s) pasted, composed twice, copied and erased in %lld ms",
          lineBreaks ? "in lines" : "one line", timer.elapsed());
}

void HostileInputTest::megabyteInPrefix() {
    TemplateFixture program;
    frmMain* picker = program.openPicker();
    QVERIFY(picker != nullptr);
    picker->sldRed->setValue(255);
    const QString text = megabyteOfText(true);

    for (bool decimal : {false, true}) {
        (decimal ? picker->optDecimal : picker->optHex)->setChecked(true);
        QElapsedTimer timer;
        timer.start();
        pasteOver(picker->txtPrefix, text);
        const qint64 pasted = timer.elapsed();
        VERIFY_NONE_BROKEN(pickerViolations(*picker));
        QVERIFY(!picker->txtPrefix->text().isEmpty());
        QVERIFY(text.startsWith(picker->txtPrefix->text()));
        QCOMPARE(program.platform.clipboard.text, picker->txtValue->text());

        // A color change carries the whole prefix along.
        picker->sldBlue->setValue(decimal ? 7 : 9);
        VERIFY_NONE_BROKEN(pickerViolations(*picker));
        qInfo("a megabyte pasted into the prefix box (%s): it holds %lld characters, value text "
              "%lld; paste %lld ms, color change %lld ms",
              decimal ? "decimal" : "hexadecimal",
              static_cast<long long>(picker->txtPrefix->text().size()),
              static_cast<long long>(picker->txtValue->text().size()), pasted,
              timer.elapsed() - pasted);
    }

    // "&Set This Color" hands the value text over and stores the prefix whole.
    const QString prefix = picker->txtPrefix->text();
    const QString value = picker->txtValue->text();
    QTest::mouseClick(picker->Command1, Qt::LeftButton);
    deleteClosedWindows();
    QCOMPARE(program.window->Text3->text(), value);
    QCOMPARE(program.platform.settings.values.value(QStringLiteral("Settings/Prefix")), prefix);

    // And it is back on the next open.
    picker = program.openPicker();
    QVERIFY(picker != nullptr);
    QCOMPARE(picker->txtPrefix->text(), prefix);
    VERIFY_NONE_BROKEN(pickerViolations(*picker));
}

void HostileInputTest::pastedIntoEveryBox_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("mode");
    for (const char* box : {"txtRed", "txtGreen", "txtBlue", "txtPrefix"}) {
        QTest::newRow(box) << QString::fromLatin1(box) << QStringLiteral("optHex");
    }
    QTest::newRow("txtNumChars decimal")
        << QStringLiteral("txtNumChars") << QStringLiteral("optDecimal");
    QTest::newRow("txtNumChars binary")
        << QStringLiteral("txtNumChars") << QStringLiteral("optBinary");
}

// Every hostile text pasted over the box and into it, with the focus elsewhere: the picker
// refuses or reads it, and every view stays in step.
void HostileInputTest::pastedIntoEveryBox() {
    QFETCH(QString, box);
    QFETCH(QString, mode);
    TemplateFixture program;
    frmMain* picker = program.openPicker();
    QVERIFY(picker != nullptr);
    picker->findChild<QRadioButton*>(mode)->setChecked(true);
    picker->sldRed->setValue(200);
    picker->sldGreen->setValue(100);
    picker->sldBlue->setValue(50);
    auto* target = picker->findChild<QLineEdit*>(box);
    QVERIFY(target != nullptr);
    QVERIFY(target->isEnabled());
    const bool isComponent =
        box != QLatin1String("txtPrefix") && box != QLatin1String("txtNumChars");

    QElapsedTimer timer;
    timer.start();
    int pastes = 0;
    for (const QString& text : hostileTexts()) {
        for (bool over : {true, false}) {
            const QString before = target->text();
            over ? pasteOver(target, text) : pasteInside(target, text);
            ++pastes;
            if (box == QLatin1String("txtNumChars")) {
                // The width takes effect when the box is left.
                QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
                QCoreApplication::sendEvent(target, &leave);
            }
            const QStringList broken = pickerViolations(
                *picker, isComponent ? QList<const QLineEdit*>{target} : QList<const QLineEdit*>{});
            QVERIFY2(broken.isEmpty(),
                     qPrintable(QStringLiteral("%1 \"%2\" into \"%3\": %4")
                                    .arg(over ? QStringLiteral("over") : QStringLiteral("inside"),
                                         shown(text), shown(before),
                                         broken.join(QStringLiteral("; ")))));
            QCOMPARE(program.platform.clipboard.text, picker->txtValue->text());
            program.platform.clipboard.calls.clear();
        }
    }
    // The picker still works: a slider still moves the color.
    picker->sldGreen->setValue(33);
    QCOMPARE((picker->picCurColor->backColor() >> 8) & 0xFF, 33);
    VERIFY_NONE_BROKEN(pickerViolations(*picker));
    qInfo("%d pastes into %s in %lld ms", pastes, qPrintable(box), timer.elapsed());
}

// Pasted into the component box the user is in: the box keeps what it was given when the
// picker reads it, and the color follows its number.
void HostileInputTest::pastedWhileTyping() {
    TemplateFixture program;
    frmMain* picker = program.openPicker();
    QVERIFY(picker != nullptr);
    QVERIFY(showActive(picker));
    // A box keeps what it was given until the color next changes from elsewhere.
    const QList<const QLineEdit*> typedInto = {picker->txtRed, picker->txtGreen, picker->txtBlue};
    for (QLineEdit* box : {picker->txtRed, picker->txtGreen, picker->txtBlue}) {
        box->setFocus(Qt::TabFocusReason);
        QVERIFY(box->hasFocus());
        for (const QString& text : hostileTexts()) {
            pasteOver(box, text);
            const QStringList broken = pickerViolations(*picker, typedInto);
            QVERIFY2(broken.isEmpty(), qPrintable(QStringLiteral("%1 into %2: %3")
                                                      .arg(shown(text), box->objectName(),
                                                           broken.join(QStringLiteral("; ")))));
        }
        picker->picFavorite[0]->setFocus(Qt::TabFocusReason);
        VERIFY_NONE_BROKEN(pickerViolations(*picker, typedInto));
    }
    // The next color from elsewhere rewrites every box.
    QTest::mouseClick(picker->picFavorite[4], Qt::LeftButton);
    VERIFY_NONE_BROKEN(pickerViolations(*picker));
}

void HostileInputTest::openedAndClosedThousandTimes() {
    constexpr int kCycles = 1000;
    TemplateFixture program;
    const auto cycle = [&program] {
        frmMain* picker = program.openPicker();
        QVERIFY(picker != nullptr);
        picker->sldRed->setValue(picker->sldRed->value() == 10 ? 20 : 10);
        program.host->unload();
        deleteClosedWindows();
        QVERIFY(program.host->picker() == nullptr);
        // The recording clipboard keeps every call; the program's own memory is what counts.
        program.platform.clipboard.calls.clear();
    };
    // The first opens fill caches that live as long as the process (fonts, styles, icons).
    for (int i = 0; i < 5; ++i) {
        cycle();
    }

    const long long objectsBefore = object_count::live;
    const auto widgetsBefore = QApplication::allWidgets().size();
    const qint64 heapBefore = heapInUse();
    const qint64 rssBefore = residentKilobytes();
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kCycles; ++i) {
        cycle();
        if (QTest::currentTestFailed()) {
            return;
        }
    }
    const qint64 elapsed = timer.elapsed();
    const long long objectsAfter = object_count::live;
    const auto widgetsAfter = QApplication::allWidgets().size();
    const qint64 heapAfter = heapInUse();
    const qint64 rssAfter = residentKilobytes();

    qInfo("picker opened and closed %d times in %lld ms", kCycles, elapsed);
    qInfo("QObjects alive: %lld before, %lld after%s", objectsBefore, objectsAfter,
          countingObjects_ ? "" : " (not counted: Qt's object hooks are not available)");
    qInfo("widgets alive: %lld before, %lld after", static_cast<long long>(widgetsBefore),
          static_cast<long long>(widgetsAfter));
    qInfo("heap in use: %lld bytes before, %lld after (%+lld, %s)", heapBefore, heapAfter,
          heapAfter - heapBefore, heapCountIsExact() ? "exact" : "with allocator caches");
    qInfo("resident set: %lld kB before, %lld kB after (%+lld)", rssBefore, rssAfter,
          rssAfter - rssBefore);

    QCOMPARE(widgetsAfter, widgetsBefore);
    if (countingObjects_) {
        QCOMPARE(objectsAfter, objectsBefore);
    }
    // Counted exactly, the heap ends where it began, give or take a block a library caches
    // once. Counted with the allocator's caches, one leaked widget per open would still be
    // well over a hundred bytes a cycle.
    const qint64 allowedGrowth = heapCountIsExact() ? 4096 : qint64{100} * kCycles;
    QVERIFY2(heapAfter - heapBefore < allowedGrowth,
             qPrintable(QStringLiteral("heap grew by %1 bytes").arg(heapAfter - heapBefore)));
}

QTEST_MAIN(HostileInputTest)
#include "tst_hostile_input.moc"
