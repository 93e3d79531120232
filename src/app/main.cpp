// SPDX-License-Identifier: MIT
#include "first_paint_report.h"
#include "map_texts_wiring.h"
#include "maptexts/command_line.h"
#include "picker_host.h"
#include "platform/beeper.h"
#include "platform/clipboard.h"
#include "platform/color_dialog.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/program_exit.h"
#include "platform/random_source.h"
#include "platform/settings_store.h"
#include "platform/ui_font.h"
#include "platform_choice.h"
#include "preview_wiring.h"
#include "template_window.h"

#include <QApplication>
#include <QPointer>

int main(int argc, char* argv[]) {
    // "--check" and "--replace-color" need no display: no window, no QApplication.
    if (argc > 1 && hueprint::isCommandLineOption(QString::fromLocal8Bit(argv[1]))) {
        const QCoreApplication app(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return hueprint::runCommandLine(QCoreApplication::arguments().mid(1), out, err);
    }
    hueprint::preferPositionablePlatform();
    QApplication app(argc, argv);
    hueprint::reportFirstPaintsWhenAsked();
    // Every window draws in the design font; as the application's font it is also what the
    // text boxes' documents are first laid out in, so no other face is looked up and loaded.
    QApplication::setFont(hueprint::designFont());

    hueprint::QtClipboard clipboard;
    hueprint::QtMessageBox messageBox;
    hueprint::QtBeeper beeper;
    hueprint::QtProgramExit programExit;
    hueprint::QtColorDialog colorDialog;
    hueprint::TimeSeededRandom random;
    hueprint::QtSettingsStore settings(hueprint::settingsApplicationName());
    hueprint::PlatformServices services{clipboard,   messageBox, beeper,  programExit,
                                        colorDialog, random,     settings};

    hueprint::QtFileDialog fileDialog;
    hueprint::MapTextsWiring mapTexts(services, fileDialog);
    // "hueprint FILE": the texts of a map (its string table, or its folder) alone.
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty() && !arguments.first().startsWith(QLatin1String("--"))) {
        mapTexts.openWindow(arguments.first());
        return mapTexts.runUntilClosed();
    }

    hueprint::PickerHost pickerHost(services);

    QPointer<hueprint::Form1> form = new hueprint::Form1(services, pickerHost);
    hueprint::PreviewWiring preview(services, form, pickerHost);
    mapTexts.addMenuEntries(preview);
    form->show();

    const int status = mapTexts.runUntilClosed();
    // However the program ends, an open picker unloads and saves its settings first.
    pickerHost.unload();
    delete form.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return status;
}
