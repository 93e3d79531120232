// SPDX-License-Identifier: MIT
#pragma once

#include "platform/color_value.h"
#include "string_table.h"

#include <QFileSystemWatcher>
#include <QMainWindow>
#include <QTimer>
#include <QUndoStack>
#include <map>
#include <memory>
#include <optional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;
class QTreeWidget;

namespace hueprint {

class ColorDialog;
class FileDialog;
class MarkupEditor;
class MessageBox;
class PreviewPanel;
class SettingsStore;
class StringFilter;
class StringListModel;

// The "Map Texts" window: a map's string table (war3map.wts) as a list of its strings, with a
// filter, the colors the file uses and the notes across it, and the selected string in the
// editor beside the list. The window is modified ("[*]") while a string's text differs from the
// file's.
// Saving writes the whole file at once; a change made to the file by another program is
// noticed, offered for reloading, and never overwritten without asking.
class MapTextsWindow : public QMainWindow {
    Q_OBJECT
public:
    MapTextsWindow(SettingsStore& store, ColorDialog& colorDialog, MessageBox& messageBox,
                   FileDialog& fileDialog, QWidget* parent = nullptr);
    ~MapTextsWindow() override;
    MapTextsWindow(const MapTextsWindow&) = delete;
    MapTextsWindow& operator=(const MapTextsWindow&) = delete;

    // Opens a string table, or the war3map.wts of a map folder, in place of the one open (asking
    // to save that first). A file that cannot be read as a table is refused with a message.
    bool openFile(const QString& path);
    // "&Open...": asks for a file and opens it.
    void chooseFile();
    // Ctrl+S: writes the table over its file. False when nothing was written.
    bool save();
    // Reads the file again, dropping the changes made here.
    bool reload();
    // Replaces the color (RRGGBB) by another in every code of the file, as one undoable step;
    // how many codes changed.
    int replaceColor(ColorValue from, ColorValue to);
    // Selects the string of the source row in the list (showing it if the filter hid it) and
    // puts the editor's cursor at the position of its visible text.
    void selectString(int row, qsizetype position = 0);

    const QString& filePath() const { return path_; }
    // The source row of the selected string, or -1.
    int currentRow() const;

    QTableView* list() const { return list_; }
    QLineEdit* filterEdit() const { return filterEdit_; }
    QCheckBox* onlyWithNotesBox() const { return onlyWithNotes_; }
    QCheckBox* onlyColoredBox() const { return onlyColored_; }
    QTabWidget* views() const { return views_; }
    QTreeWidget* colorsView() const { return colors_; }
    QPushButton* replaceColorButton() const { return replaceButton_; }
    QListWidget* notesView() const { return notes_; }
    MarkupEditor* editor() const { return editor_; }
    PreviewPanel* panel() const { return panel_; }
    StringListModel* strings() const { return strings_; }
    StringFilter* filter() const { return filter_; }
    QUndoStack* undoStack() { return &undoStack_; }
    const std::optional<StringTable>& table() const { return table_; }

    // The section of the settings store the recent files are kept in.
    static QString settingsSection();
    QStringList recentFiles() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class Recoloring;

    // Reads the table in place of the one open, whatever changes that one has.
    bool load(const QString& path);
    void createMenus();
    QWidget* createEditor();
    void showInEditor(int row);
    void keepASelection();
    void editorEdited();
    // Sets one string's text in the file, the list and the editor (the undo commands come here).
    void setStringText(int row, const QString& markup);
    // Sets the text only where the string's text is still `from`.
    void replaceStringText(int row, const QString& from, const QString& to);
    void updateViews();
    void updateColors();
    void updateNotes();
    void updateTitle();
    void chooseReplacement();
    void noteActivated(int item);
    void fileChangedOnDisk();
    bool maybeSave();
    void rememberRecent(const QString& path);
    void fillRecentMenu();

    SettingsStore& store_;
    ColorDialog& colorDialog_;
    MessageBox& messageBox_;
    FileDialog& fileDialog_;

    QString path_;
    std::optional<StringTable> table_;
    QByteArray bytesOnDisk_; // what the file held when it was read or last written here
    bool changedOnDisk_ = false;
    bool askingAboutDisk_ = false;
    QFileSystemWatcher watcher_;
    QUndoStack undoStack_;
    QTimer viewsTimer_;
    int shownRow_ = -1;
    // The editor's history of each string edited since the file was read, and the text its last
    // step left: a string changed since by something else starts a history afresh.
    struct History {
        std::unique_ptr<QUndoStack> steps;
        QString text;
    };
    std::map<int, History> histories_;

    StringListModel* strings_ = nullptr;
    StringFilter* filter_ = nullptr;
    QTableView* list_ = nullptr;
    QLineEdit* filterEdit_ = nullptr;
    QCheckBox* onlyWithNotes_ = nullptr;
    QCheckBox* onlyColored_ = nullptr;
    QTabWidget* views_ = nullptr;
    QTreeWidget* colors_ = nullptr;
    QPushButton* replaceButton_ = nullptr;
    QListWidget* notes_ = nullptr;
    MarkupEditor* editor_ = nullptr;
    PreviewPanel* panel_ = nullptr;
    QMenu* recentMenu_ = nullptr;
};

// The window's caption, after the file's name.
inline const QString kMapTextsCaption =
    QStringLiteral("Map Texts - Hueprint For WarCraft 3 Colored Text");

// The position in the visible text (as the editor counts it) of the 1-based character of the
// markup a note points at.
qsizetype visiblePosition(const QString& markup, qsizetype character);

} // namespace hueprint
