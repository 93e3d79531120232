// SPDX-License-Identifier: MIT
#include "picker_window.h"

#include "picker/color_value_format.h"
#include "picker/current_color.h"
#include "picker/favorites.h"
#include "picker/format_options.h"
#include "picker/picker_settings.h"
#include "platform/access_key_focus.h"
#include "platform/color_swatch.h"
#include "platform/control_events.h"
#include "platform/pencil_drag_image.h"
#include "platform/twips.h"
#include "template/template_commands.h"
#include "window_accessibility.h"
#include "window_setup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

namespace hueprint {

namespace {

constexpr int kClientWidth = 5295;
constexpr int kClientHeight = 2055;

QLabel* label(const QString& caption, QWidget* parent) {
    auto* lbl = new QLabel(caption, parent);
    lbl->setAlignment(Qt::AlignRight | Qt::AlignTop);
    return lbl;
}

QSlider* slider(QWidget* parent) {
    auto* sld = new QSlider(Qt::Horizontal, parent);
    sld->setRange(0, 255);
    sld->setSingleStep(1);
    sld->setPageStep(5);
    sld->setTickInterval(16);
    sld->setTickPosition(QSlider::TicksBelow);
    sld->setValue(0);
    return sld;
}

// The most characters a text box takes unless told otherwise; the prefix box is one such.
constexpr int kLongestPrefix = 32767;

QLineEdit* textBox(QWidget* parent, int maxLength = kLongestPrefix) {
    auto* box = new QLineEdit(parent);
    box->setMaxLength(maxLength);
    return box;
}

} // namespace

frmMain::frmMain(PlatformServices& services, QWidget* parent)
    : QWidget(parent), services_(services) {
    setObjectName(QStringLiteral("frmMain"));
    setupFixedWindow(this, kWindowCaption, kClientWidth, kClientHeight, WindowKind::Dialog);
    createControls();
    setTabOrder();
    describePickerWindow(*this);
    centerOnScreen(this);
    wireEvents();
    focusButtonsOnAccessKey(this);
    Form_Load();
    // The first control in tab order that can take the focus has it when the window shows.
    picFavorite[0]->setFocus(Qt::TabFocusReason);
}

frmMain::~frmMain() {
    // Whatever way the window goes (closed, or the program ending), it unloads once.
    Form_Unload();
    detachHandlers(this);
}

void frmMain::createControls() {
    // The value text is the prefix (as long as the prefix box holds) and up to the widest
    // padding of digits; the box holds all of it, so the copied text never loses its digits.
    txtValue =
        place(textBox(this, kLongestPrefix + kMaxValueWidth), "txtValue", 3120, 3600, 2295, 285);
    txtValue->setReadOnly(true);
    frameOptions = place(new QGroupBox(QStringLiteral("Options"), this), "frameOptions", 1680, 5760,
                         5055, 2055);
    txtNumChars = place(textBox(frameOptions, 4), "txtNumChars", 2400, 1560, 2535, 285);
    txtNumChars->setText(QStringLiteral("6"));
    txtPrefix = place(textBox(frameOptions), "txtPrefix", 2400, 1200, 2535, 285);
    txtPrefix->setText(QStringLiteral("|cFF"));
    optBinary = place(new QRadioButton(QStringLiteral("Bi&nary"), frameOptions), "optBinary", 4080,
                      720, 855, 255);
    optBinary->setEnabled(false);
    optHex = place(new QRadioButton(QStringLiteral("&Hexidecimal"), frameOptions), "optHex", 2040,
                   720, 1455, 255);
    optHex->setChecked(true);
    optDecimal = place(new QRadioButton(QStringLiteral("&Decimal"), frameOptions), "optDecimal",
                       240, 720, 1455, 255);
    chkAutoCopy =
        place(new QCheckBox(
                  QStringLiteral("&Automatically copy the color values I choose to the clipboard."),
                  frameOptions),
              "chkAutoCopy", 240, 240, 4695, 255);
    chkAutoCopy->setChecked(true);
    lblNumberSizeLbl = place(label(QStringLiteral("N&umber of Characters:"), frameOptions),
                             "lblNumberSizeLbl", 240, 1560, 2055, 255);
    lblPrefixLbl = place(label(QStringLiteral("&Prefix:"), frameOptions), "lblPrefixLbl", 240, 1200,
                         2055, 255);

    frameCurColor = place(new QGroupBox(QStringLiteral("Current Color"), this), "frameCurColor",
                          120, 120, 5055, 1815);
    Command1 = place(new QPushButton(QStringLiteral("&Set This Color"), frameCurColor), "Command1",
                     1800, 1320, 2535, 375);
    sldBlue = place(slider(frameCurColor), "sldBlue", 3480, 960, 1455, 255);
    sldGreen = place(slider(frameCurColor), "sldGreen", 3480, 600, 1455, 255);
    txtBlue = place(textBox(frameCurColor, 3), "txtBlue", 2640, 960, 735, 285);
    txtGreen = place(textBox(frameCurColor, 3), "txtGreen", 2640, 600, 735, 285);
    sldRed = place(slider(frameCurColor), "sldRed", 3480, 240, 1455, 255);
    txtRed = place(textBox(frameCurColor, 3), "txtRed", 2640, 240, 735, 285);
    cmdRandom = place(new QPushButton(QStringLiteral("R&andom"), frameCurColor), "cmdRandom", 120,
                      1320, 975, 375);
    cmdPick = place(new QPushButton(QStringLiteral("Gra&ph"), frameCurColor), "cmdPick", 120, 960,
                    975, 375);
    picCurColor = place(new ColorSwatch(frameCurColor), "picCurColor", 120, 240, 975, 735);
    picCurColor->setBackColor(0);
    picCurColor->setDragImage(pencilDragImage(), kPencilHotSpot);
    lblBlueLbl = place(label(QStringLiteral("&Blue Component:"), frameCurColor), "lblBlueLbl", 1200,
                       1000, 1335, 255);
    lblGreenLbl = place(label(QStringLiteral("&Green Component:"), frameCurColor), "lblGreenLbl",
                        1200, 645, 1335, 255);
    lblRedLbl = place(label(QStringLiteral("&Red Component:"), frameCurColor), "lblRedLbl", 1200,
                      280, 1335, 255);

    frameFavorites = place(new QGroupBox(QStringLiteral("Favorite Colors"), this), "frameFavorites",
                           1680, 5760, 5055, 1815);
    for (int i = kFavoriteCount - 1; i >= 0; --i) {
        auto* favorite = place(new ColorSwatch(frameFavorites), "picFavorite", 120 + 960 * (i / 3),
                               240 + 480 * (i % 3), 975, 495);
        favorite->setProperty("index", i);
        favorite->setAcceptDrops(true);
        picFavorite[static_cast<std::size_t>(i)] = favorite;
    }
    lblValueLbl =
        place(label(QStringLiteral("&Value:"), this), "lblValueLbl", 1680, 3600, 1335, 255);

    // The picture boxes here draw without a border.
    picCurColor->setFramed(false);
    for (ColorSwatch* favorite : picFavorite) {
        favorite->setFramed(false);
    }
    for (QPushButton* button : {Command1, cmdRandom, cmdPick}) {
        button->setAutoDefault(false);
    }

    // A label's access key passes the focus to the control after it in tab order.
    lblRedLbl->setBuddy(txtRed);
    lblGreenLbl->setBuddy(txtGreen);
    lblBlueLbl->setBuddy(txtBlue);
    lblPrefixLbl->setBuddy(txtPrefix);
    lblNumberSizeLbl->setBuddy(txtNumChars);
    lblValueLbl->setBuddy(picFavorite[0]); // "&Value:" is last in tab order: it wraps around
}

void frmMain::setTabOrder() {
    std::vector<QWidget*> order(picFavorite.begin(), picFavorite.end());
    order.insert(order.end(), {picCurColor, cmdPick, cmdRandom, txtRed, txtGreen, txtBlue, sldRed,
                               sldGreen, sldBlue, chkAutoCopy, optDecimal, optHex, optBinary,
                               txtPrefix, txtNumChars, Command1, txtValue});
    applyTabOrder(order);
}

PickerControls frmMain::controls() const {
    PickerControls c;
    c.window = const_cast<frmMain*>(this);
    c.picCurColor = picCurColor;
    c.txtValue = txtValue;
    c.chkAutoCopy = chkAutoCopy;
    c.txtRed = txtRed;
    c.txtGreen = txtGreen;
    c.txtBlue = txtBlue;
    c.sldRed = sldRed;
    c.sldGreen = sldGreen;
    c.sldBlue = sldBlue;
    c.optDecimal = optDecimal;
    c.optHex = optHex;
    c.optBinary = optBinary;
    c.txtPrefix = txtPrefix;
    c.txtNumChars = txtNumChars;
    c.picFavorite = picFavorite;
    return c;
}

void frmMain::wireEvents() {
    // Option buttons run their Click handler whenever they become selected, by the user or
    // by the program.
    const auto onSelected = [this](QRadioButton* option,
                                   void (*handler)(const PickerControls&, PlatformServices&)) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool selected) {
            if (selected) {
                handler(controls(), services_);
            }
        });
    };
    onSelected(optDecimal, &optDecimal_Click);
    onSelected(optHex, &optHex_Click);
    onSelected(optBinary, &optBinary_Click);

    connect(txtPrefix, &QLineEdit::textChanged, this,
            [this] { txtPrefix_Change(controls(), services_); });
    ControlEvents::onGotFocus(txtPrefix, [this] { SelectAllOnFocus(txtPrefix); });
    ControlEvents::onKeyPress(txtNumChars,
                              [this](int& keyCode) { txtNumChars_KeyPress(keyCode, services_); });
    connect(txtNumChars, &QLineEdit::textChanged, this,
            [this] { txtNumChars_Change(controls(), services_); });
    ControlEvents::onGotFocus(txtNumChars, [this] { SelectAllOnFocus(txtNumChars); });
    ControlEvents::onLostFocus(txtNumChars, [this] {
        if (!unloaded_) {
            txtNumChars_LostFocus(controls(), services_);
        }
    });

    for (QSlider* sld : {sldRed, sldGreen, sldBlue}) {
        // Change, and Scroll: a slider tracks the user's drag, changing its value at each step.
        connect(sld, &QSlider::valueChanged, this, [this] { ApplySliders(controls(), services_); });
    }
    const std::array<std::pair<QLineEdit*, QSlider*>, 3> components = {
        {{txtRed, sldRed}, {txtGreen, sldGreen}, {txtBlue, sldBlue}}};
    for (const auto& [box, partner] : components) {
        connect(box, &QLineEdit::textChanged, this,
                [this, box = box, partner = partner] { EditComponent(box, partner, services_); });
        ControlEvents::onKeyPress(box,
                                  [this](int& keyCode) { FilterComponentKey(keyCode, services_); });
    }
    for (QLineEdit* box : {txtRed, txtGreen, txtBlue, txtValue}) {
        ControlEvents::onGotFocus(box, [box] { SelectAllOnFocus(box); });
    }
    connect(cmdRandom, &QPushButton::clicked, this, [this] { RandomColor(controls(), services_); });
    connect(cmdPick, &QPushButton::clicked, this,
            [this] { PickFromColorDialog(controls(), services_); });
    connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    for (int i = 0; i < kFavoriteCount; ++i) {
        ColorSwatch* favorite = picFavorite[static_cast<std::size_t>(i)];
        connect(favorite, &ColorSwatch::clicked, this,
                [this, i] { RecallFavorite(controls(), services_, i); });
        connect(favorite, &ColorSwatch::dropped, this,
                [this, i](QObject* source) { StoreFavorite(controls(), i, source); });
    }
}

void frmMain::Command1_Click() {
    emit colorAccepted(picCurColor->backColor(), txtValue->text());
}

void frmMain::Form_Load() {
    LoadSettings(controls(), services_);
}

void frmMain::Form_Unload() {
    if (unloaded_) {
        return;
    }
    // A width still being typed takes effect as the focus leaves its box. The window going
    // away takes the focus with it unseen, so the box's LostFocus runs here, once, and the
    // value text and the stored width agree.
    if (focusWidget() == txtNumChars) {
        txtNumChars_LostFocus(controls(), services_);
    }
    unloaded_ = true;
    SaveSettings(controls(), services_);
}

void frmMain::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace hueprint
