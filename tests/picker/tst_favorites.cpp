// SPDX-License-Identifier: MIT
// The fifteen favorite colors: dropping the current-color swatch on one stores the color
// there, clicking one recalls it, and they survive closing the picker.
//
// The drops are real ones: the user presses the mouse on picCurColor and moves it, the swatch
// starts its drag, and while that drag is in flight the favorite receives the enter, move and
// drop events a window system delivers. Only then does QDropEvent::source() name the dragged
// control, as the program relies on.

#include "app/picker_window.h"
#include "picker/color_value_format.h"
#include "picker/favorites.h"
#include "platform/color_swatch.h"
#include "platform/pencil_drag_image.h"
#include "platform/twips.h"
#include "support/recording_platform.h"

#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QSettings>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <optional>

using namespace hueprint;
using hueprint::testing::clipboardTexts;
using hueprint::testing::RecordingPlatform;

namespace {

const QString kCurrentColorKey = QStringLiteral("Settings/Current Color");
const QString kAutoCopyKey = QStringLiteral("Settings/AutoCopy");

QString favoriteKey(int index) {
    return QStringLiteral("Favorites/") + QString::number(index);
}

ColorSwatch* favorite(const frmMain* picker, int index) {
    return picker->picFavorite[static_cast<std::size_t>(index)];
}

// The picker window on the given services, shown as the user sees it. Closing it as the user
// does unloads it (saving its settings) and destroys it.
class Picker {
public:
    explicit Picker(PlatformServices& services) : window_(new frmMain(services, {})) {
        window_->show();
    }
    ~Picker() { delete window_.data(); }
    Picker(const Picker&) = delete;
    Picker& operator=(const Picker&) = delete;

    frmMain* operator->() const { return window_.data(); }
    frmMain* get() const { return window_.data(); }

    void close() {
        window_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private:
    QPointer<frmMain> window_;
};

// Everything of the picker a drop must leave alone, and what it changes.
struct PickerState {
    std::array<ColorValue, kFavoriteCount> favorites{};
    ColorValue current = 0;
    QString valueText;
    QStringList boxes;
    QList<int> sliders;
    QStringList clipboardCalls;
    QMap<QString, QString> stored;
    int storeSyncs = 0;

    static PickerState of(const frmMain* picker, const RecordingPlatform& platform) {
        PickerState state;
        for (int i = 0; i < kFavoriteCount; ++i) {
            state.favorites[static_cast<std::size_t>(i)] = favorite(picker, i)->backColor();
        }
        state.current = picker->picCurColor->backColor();
        state.valueText = picker->txtValue->text();
        state.boxes = {picker->txtRed->text(), picker->txtGreen->text(), picker->txtBlue->text()};
        state.sliders = {picker->sldRed->value(), picker->sldGreen->value(),
                         picker->sldBlue->value()};
        state.clipboardCalls = platform.clipboard.calls;
        state.stored = platform.settings.values;
        state.storeSyncs = platform.settings.syncs;
        return state;
    }
};

void verifySameState(const PickerState& actual, const PickerState& expected) {
    for (int i = 0; i < kFavoriteCount; ++i) {
        QCOMPARE(actual.favorites[static_cast<std::size_t>(i)],
                 expected.favorites[static_cast<std::size_t>(i)]);
    }
    QCOMPARE(actual.current, expected.current);
    QCOMPARE(actual.valueText, expected.valueText);
    QCOMPARE(actual.boxes, expected.boxes);
    QCOMPARE(actual.sliders, expected.sliders);
    QCOMPARE(actual.clipboardCalls, expected.clipboardCalls);
    QCOMPARE(actual.stored, expected.stored); // nothing reaches the store before the unload
    QCOMPARE(actual.storeSyncs, expected.storeSyncs);
}

// What one drop did.
struct DropRecord {
    bool accepted = false;
    QObject* source = nullptr; // as the drop event named it
};

// The pointer arrives over the target and the button is released there: the window system
// delivers enter, move and drop, each with the dragged data.
DropRecord deliverDrop(QWidget* target, const QMimeData* mime) {
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &move);
    QDropEvent drop(QPointF(at), Qt::CopyAction, mime, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return {drop.isAccepted(), drop.source()};
}

// What a drag of the current-color swatch showed and did.
struct DragRecord {
    bool inFlight = false; // the drop came while the swatch's own drag was running
    QPixmap pixmap;
    QPoint hotSpot;
    DropRecord drop;
    // The pointer while the drag ran, and the drag's cursors for its actions.
    std::optional<QCursor> pointer;
    QPixmap copyCursor;
    QPixmap ignoreCursor;
};

// Runs `whileDragging` from inside the drag loop that `startDrag` enters; the drag is then
// cancelled, so the drag loop ends. Returns whether `whileDragging` ran inside the loop.
bool duringDrag(const std::function<void()>& startDrag,
                const std::function<void()>& whileDragging) {
    bool ran = false;
    QTimer inLoop;
    inLoop.setSingleShot(true);
    QObject::connect(&inLoop, &QTimer::timeout, [&] {
        ran = true;
        whileDragging();
        QDrag::cancel();
    });
    inLoop.start(0); // fires only once an event loop runs: the drag's own
    startDrag();
    inLoop.stop();
    return ran;
}

// The user drags picCurColor onto the target: press, move beyond the start distance (the
// swatch starts its drag), and drop on the target.
DragRecord dragCurrentColorOnto(frmMain* picker, QWidget* target) {
    DragRecord record;
    ColorSwatch* swatch = picker->picCurColor;
    const QPoint pressedAt(10, 10);
    QTest::mousePress(swatch, Qt::LeftButton, Qt::NoModifier, pressedAt);
    const bool ran = duringDrag(
        [&] {
            QTest::mouseMove(swatch, pressedAt + QPoint(QApplication::startDragDistance() + 1, 0));
        },
        [&] {
            const QDrag* drag = swatch->findChild<QDrag*>();
            if (drag == nullptr) {
                return;
            }
            record.pixmap = drag->pixmap();
            record.hotSpot = drag->hotSpot();
            if (const QCursor* pointer = QGuiApplication::overrideCursor()) {
                record.pointer = *pointer;
            }
            record.copyCursor = drag->dragCursor(Qt::CopyAction);
            record.ignoreCursor = drag->dragCursor(Qt::IgnoreAction);
            record.drop = deliverDrop(target, drag->mimeData());
            record.inFlight = true;
        });
    QTest::mouseRelease(swatch, Qt::LeftButton, Qt::NoModifier, pressedAt);
    record.inFlight = record.inFlight && ran;
    return record;
}

void verifyDroppedInFlight(const DragRecord& record, const frmMain* picker) {
    QVERIFY2(record.inFlight, "the swatch's drag did not run");
    QVERIFY(record.drop.accepted);
    QCOMPARE(record.drop.source, static_cast<QObject*>(picker->picCurColor));
}

QMimeData* swatchMime(ColorValue color) {
    auto* mime = new QMimeData;
    mime->setColorData(resolveColor(color, QPalette()));
    return mime;
}

} // namespace

class FavoritesTest : public QObject {
    Q_OBJECT
private slots:
    void dropOfCurrentColorStoresIt();
    void droppedFavoriteSurvivesReopening();
    void dropFromElsewhereIsIgnored_data();
    void dropFromElsewhereIsIgnored();
    void droppingTheSameColorChangesNothing();
    void clickRecallsFavorite_data();
    void clickRecallsFavorite();
    void clickAfterDropRecallsDroppedColor();
    void clickOnCurrentColorDoesNothing();
    void dragShowsThePencil();
    void dragPointerIsThePencil();
    void typicalSessionFile();
};

void FavoritesTest::dropOfCurrentColorStoresIt() {
    RecordingPlatform p;
    p.settings.values.insert(kCurrentColorKey, QStringLiteral("33023"));
    Picker picker(p.services);
    QCOMPARE(picker->picCurColor->backColor(), 33023);
    QCOMPARE(favorite(picker.get(), 5)->backColor(), 32896);
    const PickerState before = PickerState::of(picker.get(), p);

    const DragRecord record = dragCurrentColorOnto(picker.get(), favorite(picker.get(), 5));
    verifyDroppedInFlight(record, picker.get());

    PickerState expected = before;
    expected.favorites[5] = 33023;
    verifySameState(PickerState::of(picker.get(), p), expected);
}

void FavoritesTest::droppedFavoriteSurvivesReopening() {
    RecordingPlatform p;
    p.settings.values.insert(kCurrentColorKey, QStringLiteral("33023"));
    {
        Picker picker(p.services);
        verifyDroppedInFlight(dragCurrentColorOnto(picker.get(), favorite(picker.get(), 5)),
                              picker.get());
        QCOMPARE(p.settings.values.value(favoriteKey(5)), QString()); // not yet written
        picker.close();
    }
    QCOMPARE(p.settings.values.value(favoriteKey(5)), QStringLiteral("33023"));

    Picker reopened(p.services);
    const auto& defaults = defaultFavoriteColors();
    for (int i = 0; i < kFavoriteCount; ++i) {
        QCOMPARE(favorite(reopened.get(), i)->backColor(),
                 i == 5 ? 33023 : defaults[static_cast<std::size_t>(i)]);
    }
}

void FavoritesTest::dropFromElsewhereIsIgnored_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("swatchData"); // the drag carries the swatch's kind of data

    QTest::newRow("another favorite") << "picFavorite" << true;
    QTest::newRow("a component box") << "txtRed" << true;
    QTest::newRow("the value box, dragging text") << "txtValue" << false;
    QTest::newRow("another program, swatch data") << "" << true;
    QTest::newRow("another program, text") << "" << false;
}

void FavoritesTest::dropFromElsewhereIsIgnored() {
    QFETCH(QString, source);
    QFETCH(bool, swatchData);

    RecordingPlatform p;
    p.settings.values.insert(kCurrentColorKey, QStringLiteral("33023"));
    Picker picker(p.services);
    const PickerState before = PickerState::of(picker.get(), p);
    ColorSwatch* target = favorite(picker.get(), 5);

    std::unique_ptr<QMimeData> mime(swatchData ? swatchMime(255) : new QMimeData);
    if (!swatchData) {
        mime->setText(QStringLiteral("|cFF0000FF"));
    }
    DropRecord drop;
    if (source.isEmpty()) {
        // A drag from another program: no drag of this program is in flight.
        drop = deliverDrop(target, mime.get());
        QCOMPARE(drop.source, nullptr);
    } else {
        QObject* control = source == QLatin1String("picFavorite")
                               ? static_cast<QObject*>(favorite(picker.get(), 2))
                               : picker->findChild<QWidget*>(source);
        QVERIFY(control != nullptr);
        QCOMPARE(control->objectName(), source);
        auto* drag = new QDrag(control);
        drag->setMimeData(mime.release());
        const bool ran = duringDrag([drag] { drag->exec(Qt::CopyAction); },
                                    [&] { drop = deliverDrop(target, drag->mimeData()); });
        QVERIFY2(ran, "the drag did not run");
        QCOMPARE(drop.source, control);
    }
    verifySameState(PickerState::of(picker.get(), p), before);
    QCOMPARE(target->backColor(), 32896);
}

void FavoritesTest::droppingTheSameColorChangesNothing() {
    RecordingPlatform p;
    // Red is favorite 11's default color.
    p.settings.values.insert(kCurrentColorKey, QStringLiteral("255"));
    Picker picker(p.services);
    const PickerState before = PickerState::of(picker.get(), p);
    verifyDroppedInFlight(dragCurrentColorOnto(picker.get(), favorite(picker.get(), 11)),
                          picker.get());
    verifySameState(PickerState::of(picker.get(), p), before);

    // And again on a favorite that has just taken the color.
    verifyDroppedInFlight(dragCurrentColorOnto(picker.get(), favorite(picker.get(), 5)),
                          picker.get());
    const PickerState afterFirst = PickerState::of(picker.get(), p);
    QCOMPARE(afterFirst.favorites[5], 255);
    verifyDroppedInFlight(dragCurrentColorOnto(picker.get(), favorite(picker.get(), 5)),
                          picker.get());
    verifySameState(PickerState::of(picker.get(), p), afterFirst);
}

void FavoritesTest::clickRecallsFavorite_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("decimal");
    QTest::addColumn<bool>("autoCopy");
    QTest::addColumn<QString>("valueText");
    QTest::addColumn<QStringList>("components");

    QTest::newRow("0, dark blue") << 0 << false << true << QStringLiteral("|cFF000080")
                                  << QStringList{"0", "0", "128"};
    QTest::newRow("5, olive") << 5 << false << true << QStringLiteral("|cFF808000")
                              << QStringList{"128", "128", "0"};
    QTest::newRow("11, red, auto-copy off")
        << 11 << false << false << QStringLiteral("|cFFFF0000") << QStringList{"255", "0", "0"};
    QTest::newRow("14, white, Decimal")
        << 14 << true << true << QStringLiteral("|cFF16777215") << QStringList{"255", "255", "255"};
    QTest::newRow("6, light gray, Decimal, auto-copy off")
        << 6 << true << false << QStringLiteral("|cFF12632256") << QStringList{"192", "192", "192"};
}

void FavoritesTest::clickRecallsFavorite() {
    QFETCH(int, index);
    QFETCH(bool, decimal);
    QFETCH(bool, autoCopy);
    QFETCH(QString, valueText);
    QFETCH(QStringList, components);

    RecordingPlatform p;
    p.settings.values = {{kCurrentColorKey, QStringLiteral("33023")},
                         {kAutoCopyKey, autoCopy ? QStringLiteral("1") : QStringLiteral("0")}};
    if (decimal) {
        p.settings.values.insert(QStringLiteral("Settings/Decimal"), QStringLiteral("True"));
        p.settings.values.insert(QStringLiteral("Settings/Hexadecimal"), QStringLiteral("False"));
    }
    Picker picker(p.services);
    const PickerState before = PickerState::of(picker.get(), p);
    const ColorValue color = defaultFavoriteColors()[static_cast<std::size_t>(index)];
    p.clipboard.calls.clear();

    QTest::mouseClick(favorite(picker.get(), index), Qt::LeftButton);

    QCOMPARE(picker->picCurColor->backColor(), color);
    QCOMPARE(picker->txtValue->text(), valueText);
    QCOMPARE(
        QStringList({picker->txtRed->text(), picker->txtGreen->text(), picker->txtBlue->text()}),
        components);
    QCOMPARE(picker->sldRed->value(), components.at(0).toInt());
    QCOMPARE(picker->sldGreen->value(), components.at(1).toInt());
    QCOMPARE(picker->sldBlue->value(), components.at(2).toInt());
    if (autoCopy) {
        QCOMPARE(p.clipboard.text, valueText);
        QCOMPARE(clipboardTexts(p.clipboard.calls).last(), valueText);
    } else {
        QCOMPARE(p.clipboard.calls, QStringList());
    }
    // The favorites themselves are unchanged.
    QCOMPARE(PickerState::of(picker.get(), p).favorites, before.favorites);
}

void FavoritesTest::clickAfterDropRecallsDroppedColor() {
    RecordingPlatform p;
    p.settings.values.insert(kCurrentColorKey, QStringLiteral("33023"));
    Picker picker(p.services);
    verifyDroppedInFlight(dragCurrentColorOnto(picker.get(), favorite(picker.get(), 5)),
                          picker.get());
    QTest::mouseClick(favorite(picker.get(), 0), Qt::LeftButton);
    QCOMPARE(picker->picCurColor->backColor(), 8388608);

    QTest::mouseClick(favorite(picker.get(), 5), Qt::LeftButton);
    QCOMPARE(picker->picCurColor->backColor(), 33023);
    QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFFFF8000"));
    QCOMPARE(p.clipboard.text, QStringLiteral("|cFFFF8000"));
    QCOMPARE(picker->sldGreen->value(), 128);
}

void FavoritesTest::clickOnCurrentColorDoesNothing() {
    RecordingPlatform p;
    Picker picker(p.services);
    const PickerState before = PickerState::of(picker.get(), p);
    QTest::mouseClick(picker->picCurColor, Qt::LeftButton);
    verifySameState(PickerState::of(picker.get(), p), before);
}

void FavoritesTest::dragShowsThePencil() {
    RecordingPlatform p;
    Picker picker(p.services);
    const DragRecord record = dragCurrentColorOnto(picker.get(), favorite(picker.get(), 3));
    verifyDroppedInFlight(record, picker.get());
    QCOMPARE(record.hotSpot, QPoint(1, 0));
    QCOMPARE(record.pixmap.size(), QSize(32, 32));

    const QImage image = record.pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image, pencilDragImage().toImage().convertToFormat(QImage::Format_ARGB32));
    QVERIFY(image.hasAlphaChannel());
    // Transparent away from the pencil, which runs from the upper left to the lower right.
    for (const QPoint corner : {QPoint(31, 0), QPoint(0, 31), QPoint(0, 16), QPoint(16, 0)}) {
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    }
    // The point, at the hot spot, is drawn.
    QCOMPARE(qAlpha(image.pixel(1, 0)), 255);
    // Black outline, blue and cyan point and body, silver and white band.
    QSet<QRgb> colors;
    int opaque = 0;
    qint64 sumX = 0;
    qint64 sumY = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 255) {
                colors.insert(pixel);
                ++opaque;
                sumX += x;
                sumY += y;
            } else {
                QCOMPARE(qAlpha(pixel), 0); // no half-transparent edges
            }
        }
    }
    for (const QRgb color : {qRgb(0, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 255), qRgb(192, 192, 192),
                             qRgb(255, 255, 255)}) {
        QVERIFY2(colors.contains(color), qPrintable(QColor(color).name()));
    }
    QVERIFY(opaque > 60);
    // Its weight lies on the diagonal, away from the point.
    QVERIFY(sumX / opaque > 8 && sumY / opaque > 8);
    QVERIFY(qAbs(sumX / opaque - sumY / opaque) <= 3);
}

// During the drag the pointer itself is the pencil, over a favorite and elsewhere: the pencil's
// image, every pixel, with its point (1, 0) at the pointer's hot spot, and nothing else.
void FavoritesTest::dragPointerIsThePencil() {
    RecordingPlatform p;
    Picker picker(p.services);
    const DragRecord record = dragCurrentColorOnto(picker.get(), favorite(picker.get(), 3));
    verifyDroppedInFlight(record, picker.get());
    QVERIFY2(record.pointer.has_value(), "the drag did not set the pointer");
    QVERIFY(!record.copyCursor.isNull());
    QCOMPARE(record.ignoreCursor.toImage(), record.copyCursor.toImage());
    QCOMPARE(record.pointer->pixmap().toImage(), record.copyCursor.toImage());

    const QImage pointer =
        record.pointer->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage pencil = pencilDragImage().toImage().convertToFormat(QImage::Format_ARGB32);
    const QPoint pencilAt = record.pointer->hotSpot() - kPencilHotSpot;
    QVERIFY(pointer.rect().contains(QRect(pencilAt, pencil.size())));
    for (int y = 0; y < pointer.height(); ++y) {
        for (int x = 0; x < pointer.width(); ++x) {
            const QPoint inPencil = QPoint(x, y) - pencilAt;
            const QRgb expected =
                pencil.rect().contains(inPencil) ? pencil.pixel(inPencil) : qRgba(0, 0, 0, 0);
            if (pointer.pixel(x, y) != expected) {
                QFAIL(qPrintable(QStringLiteral("pointer pixel (%1, %2) is %3, not %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(pointer.pixel(x, y), 8, 16)
                                     .arg(expected, 8, 16)));
            }
        }
    }
    QCOMPARE(qAlpha(pointer.pixel(record.pointer->hotSpot())), 255); // the point itself
    QVERIFY(!QGuiApplication::overrideCursor()); // the usual pointer is back after the drop
}

void FavoritesTest::typicalSessionFile() {
    // Open the picker on a first run, make a color, choose Decimal, keep the color as
    // favorite 5, and close the window: this is the file left behind.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    RecordingPlatform doubles;
    QtSettingsStore store(QStringLiteral("hueprint"));
    PlatformServices services{
        doubles.clipboard,   doubles.messageBox, doubles.beeper, doubles.programExit,
        doubles.colorDialog, doubles.random,     store};
    QPoint position;
    {
        Picker picker(services);
        for (int i = 0; i < 51; ++i) {
            QTest::keyClick(picker->sldRed, Qt::Key_PageUp); // 255
        }
        for (int i = 0; i < 128; ++i) {
            QTest::keyClick(picker->sldGreen, Qt::Key_Right); // 128
        }
        QCOMPARE(picker->picCurColor->backColor(), 33023);
        QTest::mouseClick(picker->optDecimal, Qt::LeftButton);
        QCOMPARE(picker->txtValue->text(), QStringLiteral("|cFF033023"));
        verifyDroppedInFlight(dragCurrentColorOnto(picker.get(), favorite(picker.get(), 5)),
                              picker.get());
        position = picker->pos();
        picker.close();
    }
    QFile file(dir.filePath(QStringLiteral("hueprint.ini")));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString expected = QStringLiteral("[Favorites]\n"
                                            "0=8388608\n"
                                            "1=32768\n"
                                            "10=16776960\n"
                                            "11=255\n"
                                            "12=16711935\n"
                                            "13=65535\n"
                                            "14=16777215\n"
                                            "2=8421376\n"
                                            "3=128\n"
                                            "4=8388736\n"
                                            "5=33023\n"
                                            "6=12632256\n"
                                            "7=8421504\n"
                                            "8=16711680\n"
                                            "9=65280\n"
                                            "\n"
                                            "[Form%20Position]\n"
                                            "X=%1\n"
                                            "Y=%2\n"
                                            "\n"
                                            "[Settings]\n"
                                            "AutoCopy=1\n"
                                            "Binary=False\n"
                                            "Current%20Color=33023\n"
                                            "Decimal=True\n"
                                            "Hexadecimal=False\n"
                                            "Number%20of%20Characters=6\n"
                                            "Prefix=|cFF\n")
                                 .arg(position.x() * kTwipsPerPixel)
                                 .arg(position.y() * kTwipsPerPixel);
    const QString written = QString::fromUtf8(file.readAll());
    QCOMPARE(written, expected);
    if (qEnvironmentVariableIsSet("HUEPRINT_SHOW_SESSION_FILE")) {
        qInfo().noquote() << "\n" + written;
    }
}

int main(int argc, char* argv[]) {
    // The offscreen platform's drag returns at once without running a drag, so no drop could
    // ever name its source there. The minimal platform runs Qt's own in-process drag: a drag
    // loop with the QDrag in flight, as a desktop has for a drag inside one program.
    qputenv("QT_QPA_PLATFORM", "minimal");
    QApplication app(argc, argv);
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    FavoritesTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_favorites.moc"
