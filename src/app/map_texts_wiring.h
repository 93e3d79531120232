// SPDX-License-Identifier: MIT
#pragma once

#include "platform/platform_services.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;

namespace hueprint {

class FileDialog;
class MapTextsWindow;
class PreviewWiring;

// Opens the one "Map Texts" window: from the command line with a file, and from "&Map Texts..."
// in the context menus of the template window's text boxes, after "In-Game &Preview". The
// window is raised when it is open; opened without a file, it asks for one.
class MapTextsWiring : public QObject {
    Q_OBJECT
public:
    MapTextsWiring(PlatformServices& services, FileDialog& fileDialog, QObject* parent = nullptr);
    ~MapTextsWiring() override;
    MapTextsWiring(const MapTextsWiring&) = delete;
    MapTextsWiring& operator=(const MapTextsWiring&) = delete;

    // Adds the entry to the context menus the preview's wiring shows.
    void addMenuEntries(PreviewWiring& preview);
    // Shows the window (creating it if there is none) and opens the file, or asks for one when
    // none is given and none is open.
    MapTextsWindow* openWindow(const QString& path = QString());
    MapTextsWindow* window() const;

    // Closes the window as the user does (unsaved changes asked about); false when the user
    // keeps it open.
    bool closeWindow();
    // Runs the event loop until the program is to end with the window closed: an end asked for
    // elsewhere ("E&xit") first closes the window, and when the user cancels that, the program
    // goes on. The last status the loop ended with.
    int runUntilClosed();

    static QString menuEntryCaption();

private:
    void addMenuEntry(QMenu* menu, QAction* previewEntry);

    PlatformServices& services_;
    FileDialog& fileDialog_;
    QPointer<MapTextsWindow> window_;
};

} // namespace hueprint
