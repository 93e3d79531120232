// SPDX-License-Identifier: MIT
#include "template_window.h"

#include "picker_host.h"
#include "platform/access_key_focus.h"
#include "platform/color_swatch.h"
#include "platform/control_colors.h"
#include "platform/program_exit.h"
#include "platform/text_box_text.h"
#include "platform/twips.h"
#include "platform/ui_font.h"
#include "template/preset_palette.h"
#include "template/template_commands.h"
#include "template/template_composition.h"
#include "window_accessibility.h"
#include "window_setup.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <limits>

namespace hueprint {

namespace {

constexpr int kClientWidth = 5685;
constexpr int kClientHeight = 6135;

QPlainTextEdit* multiLineBox(QWidget* parent) {
    auto* box = new QPlainTextEdit(parent);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    typeOrdinaryLineBreaks(*box);
    return box;
}

} // namespace

Form1::Form1(PlatformServices& services, PickerHost& pickerHost, QWidget* parent)
    : QWidget(parent), services_(services), pickerHost_(pickerHost) {
    setObjectName(QStringLiteral("Form1"));
    setupFixedWindow(this, kWindowCaption, kClientWidth, kClientHeight, WindowKind::Main);
    createControls();
    setTabOrder();
    wireEvents();
    focusButtonsOnAccessKey(this);
    describeTemplateWindow(*this);
    connect(&pickerHost_, &PickerHost::colorAccepted, this, &Form1::AcceptPickerColor);
    centerOnScreen(this);
    Text3->setFocus(Qt::OtherFocusReason);
}

Form1::~Form1() {
    detachHandlers(this);
}

void Form1::createControls() {
    Command1 =
        place(new QPushButton(QStringLiteral("&About"), this), "Command1", 3020, 5640, 1095, 375);
    Frame3 = place(new QGroupBox(QStringLiteral("3)   Copy This To Your Map"), this), "Frame3", 120,
                   3840, 5415, 1695);
    Text1 = place(multiLineBox(Frame3), "Text1", 120, 240, 5175, 1335);
    Text1->setFont(designFont(kResultFontPoints));
    setForeColor(Text1, kSystemHighlight);
    Frame2 = place(new QGroupBox(QStringLiteral("2)   Select Your Color"), this), "Frame2", 120,
                   1920, 5415, 1815);
    Command5 = place(new QPushButton(QStringLiteral("C&ustom Color"), Frame2), "Command5", 3480,
                     1320, 1335, 375);
    for (const PresetSwatch& preset : presetPalette()) {
        auto* swatch = new ColorSwatch(Frame2);
        const QByteArray name = "Picture" + QByteArray::number(preset.number);
        place(swatch, name.constData(), 120 + 360 * (preset.column() - 1),
              240 + 240 * (preset.row() - 1), 375, 255);
        swatch->setBackColor(preset.color);
        presetSwatches[static_cast<std::size_t>(preset.number - 1)] = swatch;
    }
    Picture49 = place(new ColorSwatch(Frame2), "Picture49", 3120, 240, 2055, 975);
    Picture49->setBackColor(0);
    Frame1 = place(new QGroupBox(QStringLiteral("1)   Enter Your Text Here"), this), "Frame1", 120,
                   120, 5415, 1695);
    Text2 = place(multiLineBox(Frame1), "Text2", 120, 240, 5175, 1335);
    Command4 =
        place(new QPushButton(QStringLiteral("E&xit"), this), "Command4", 4440, 5640, 1095, 375);
    Command3 =
        place(new QPushButton(QStringLiteral("&Copy"), this), "Command3", 240, 5640, 1095, 375);
    Command2 =
        place(new QPushButton(QStringLiteral("&Erase"), this), "Command2", 1610, 5640, 1095, 375);
    Text3 = place(new QLineEdit(this), "Text3", 6120, 360, 1215, 285);
    // Text3 takes the picker's whole value text, which can be longer than a text box's usual
    // 32767 characters (a long prefix and the padded digits): cut short, the code would lose
    // its digits.
    Text3->setMaxLength(std::numeric_limits<int>::max());
}

void Form1::setTabOrder() {
    // TabIndex order: Text3, Erase, Copy, Exit, Text2, Picture49, Picture48 .. Picture1,
    // Text1, About, Custom Color.
    std::vector<QWidget*> order = {Text3, Command2, Command3, Command4, Text2, Picture49};
    for (int n = 48; n >= 1; --n) {
        order.push_back(Picture(n));
    }
    order.insert(order.end(), {Text1, Command1, Command5});
    applyTabOrder(order);
}

void Form1::wireEvents() {
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    for (const PresetSwatch& preset : presetPalette()) {
        connect(Picture(preset.number), &ColorSwatch::clicked, this,
                [this, n = preset.number] { Picture_Click(n); });
    }
}

TemplateControls Form1::controls() const {
    return TemplateControls{Text1, Text2, Text3, Picture49};
}

ColorSwatch* Form1::Picture(int n) const {
    if (n == 49) {
        return Picture49;
    }
    return presetSwatches.at(static_cast<std::size_t>(n - 1));
}

void Form1::Command1_Click() {
    About(services_.messageBox, this);
}

void Form1::Command2_Click() {
    Erase(controls());
}

void Form1::Command3_Click() {
    Copy(controls(), services_.clipboard);
}

void Form1::Command4_Click() {
    // Exit: the picker unloads (saving its settings), then this window, and the program ends.
    pickerHost_.unload();
    close();
    services_.programExit.endProgram();
}

void Form1::Command5_Click() {
    pickerHost_.show();
}

void Form1::AcceptPickerColor(ColorValue color, const QString& valueText) {
    // The picker's color and value text become current as a preset's color and code do.
    SelectPresetColor(controls(), valueText, color);
}

void Form1::Picture_Click(int n) {
    const PresetSwatch& preset = presetPalette().at(static_cast<std::size_t>(n - 1));
    SelectPresetColor(controls(), preset.code(), preset.color);
}

} // namespace hueprint
