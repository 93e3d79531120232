// SPDX-License-Identifier: MIT
#include "map_texts_window.h"

#include "colored_line_delegate.h"
#include "editor/markup_editor.h"
#include "editor/preview_panel.h"
#include "map_colors.h"
#include "markup/markup_render.h"
#include "platform/color_dialog.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/settings_store.h"
#include "string_filter.h"
#include "string_list_model.h"
#include "string_table_file.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QUndoCommand>
#include <QVBoxLayout>

namespace hueprint {

namespace {

constexpr int kRecentFiles = 8;
// How long changes are gathered before the Colors and Notes views are listed again.
constexpr int kViewsDelayMs = 150;
// How often a file that has gone from its place is looked for.
constexpr int kLookAgainMs = 1000;
// The notes the Notes view lists at most: a broken file can have more than anyone reads.
constexpr int kMostNotesListed = 5000;
constexpr int kNoteRowRole = Qt::UserRole + 1;
constexpr int kNotePositionRole = Qt::UserRole + 2;
constexpr int kColorRole = Qt::UserRole + 1;

QString rgbText(ColorValue rgb) {
    const QColor color = resolveColor(rgb, QPalette());
    return QStringLiteral("%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QIcon swatchIcon(ColorValue rgb) {
    QPixmap pixmap(16, 16);
    pixmap.fill(resolveColor(rgb, QPalette()));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 15);
    return QIcon(pixmap);
}

} // namespace

// One color replaced by another in every string of the file.
class Recoloring : public QUndoCommand {
public:
    Recoloring(MapTextsWindow* window, ColorReplacement replacement)
        : QUndoCommand(QStringLiteral("Replace Color")), window_(window),
          replacement_(std::move(replacement)) {}
    // A string edited since keeps its edit: only the texts still as this step left them change.
    void undo() override {
        for (const TextChange& change : replacement_.changes) {
            window_->replaceStringText(change.index, change.after, change.before);
        }
    }
    void redo() override {
        for (const TextChange& change : replacement_.changes) {
            window_->replaceStringText(change.index, change.before, change.after);
        }
    }

private:
    MapTextsWindow* window_;
    ColorReplacement replacement_;
};

qsizetype visiblePosition(const QString& markup, qsizetype character) {
    qsizetype visible = 0;
    qsizetype counted = 1;
    for (qsizetype i = 0; i < markup.size() && counted < character;) {
        const MarkupSequence sequence = markupSequenceAt(markup, i);
        if (sequence.kind == MarkupSequenceKind::NewLine) {
            ++visible;
        } else if (sequence.kind == MarkupSequenceKind::Text) {
            // "\r\n" is one line break, one unit of the editor's text.
            const bool crlf = sequence.length == 2 && markup.at(i) == u'\r';
            visible += crlf ? 1 : sequence.length;
        }
        // Characters are code points: a surrogate pair is one.
        for (qsizetype k = i; k < i + sequence.length; ++k) {
            if (!(markup.at(k).isLowSurrogate() && k > 0 && markup.at(k - 1).isHighSurrogate())) {
                ++counted;
            }
        }
        i += sequence.length;
    }
    return visible;
}

MapTextsWindow::MapTextsWindow(SettingsStore& store, ColorDialog& colorDialog,
                               MessageBox& messageBox, FileDialog& fileDialog, QWidget* parent)
    : QMainWindow(parent), store_(store), colorDialog_(colorDialog), messageBox_(messageBox),
      fileDialog_(fileDialog) {
    setObjectName(QStringLiteral("MapTextsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAcceptDrops(true);
    setAccessibleName(QStringLiteral("Map Texts"));
    setAccessibleDescription(
        QStringLiteral("The texts of a map: find, edit and recolor its strings"));
    resize(1000, 640);

    strings_ = new StringListModel(this);
    filter_ = new StringFilter(this);
    filter_->setSourceModel(strings_);

    filterEdit_ = new QLineEdit(this);
    filterEdit_->setObjectName(QStringLiteral("filterEdit"));
    filterEdit_->setPlaceholderText(QStringLiteral("Filter: text, markup, number or comment"));
    filterEdit_->setAccessibleName(QStringLiteral("Filter"));
    filterEdit_->setClearButtonEnabled(true);
    onlyWithNotes_ = new QCheckBox(QStringLiteral("Only with &notes"), this);
    onlyWithNotes_->setObjectName(QStringLiteral("onlyWithNotes"));
    onlyColored_ = new QCheckBox(QStringLiteral("Only c&olored"), this);
    onlyColored_->setObjectName(QStringLiteral("onlyColored"));

    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("stringList"));
    list_->setAccessibleName(QStringLiteral("Strings"));
    list_->setModel(filter_);
    list_->setItemDelegateForColumn(string_list::TextColumn, new ColoredLineDelegate(list_));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTabKeyNavigation(false);
    list_->setWordWrap(false);
    list_->setSortingEnabled(true);
    list_->sortByColumn(-1, Qt::AscendingOrder); // the file's order until a column is chosen
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    QHeaderView* header = list_->horizontalHeader();
    header->setSectionResizeMode(string_list::TextColumn, QHeaderView::Stretch);
    for (const int column :
         {string_list::NumberColumn, string_list::BytesColumn, string_list::NotesColumn}) {
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    header->resizeSection(string_list::CommentColumn, 200);
    list_->horizontalHeader()->setSortIndicatorShown(true);
    list_->horizontalHeader()->setSortIndicatorClearable(true);

    colors_ = new QTreeWidget(this);
    colors_->setObjectName(QStringLiteral("colorsView"));
    colors_->setAccessibleName(QStringLiteral("Colors"));
    colors_->setHeaderLabels(
        {QStringLiteral("Color"), QStringLiteral("Codes"), QStringLiteral("Strings")});
    colors_->setRootIsDecorated(false);
    // The most used color first, as the table's colors come.
    replaceButton_ = new QPushButton(QStringLiteral("&Replace Color..."), this);
    replaceButton_->setObjectName(QStringLiteral("replaceColor"));
    replaceButton_->setEnabled(false);
    auto* colorsPage = new QWidget(this);
    auto* colorsLayout = new QVBoxLayout(colorsPage);
    colorsLayout->setContentsMargins(0, 0, 0, 0);
    colorsLayout->addWidget(colors_);
    colorsLayout->addWidget(replaceButton_, 0, Qt::AlignLeft);
    notes_ = new QListWidget(this);
    notes_->setObjectName(QStringLiteral("notesView"));
    notes_->setAccessibleName(QStringLiteral("Notes Across the File"));
    views_ = new QTabWidget(this);
    views_->setObjectName(QStringLiteral("views"));
    views_->addTab(colorsPage, QStringLiteral("&Colors"));
    views_->addTab(notes_, QStringLiteral("No&tes"));

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterEdit_, 1);
    filterRow->addWidget(onlyWithNotes_);
    filterRow->addWidget(onlyColored_);
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->addLayout(filterRow);
    auto* leftSplitter = new QSplitter(Qt::Vertical, left);
    leftSplitter->addWidget(list_);
    leftSplitter->addWidget(views_);
    leftSplitter->setStretchFactor(0, 3);
    leftSplitter->setStretchFactor(1, 1);
    leftLayout->addWidget(leftSplitter, 1);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->setObjectName(QStringLiteral("mapTextsSplitter"));
    splitter->addWidget(left);
    splitter->addWidget(createEditor());
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setContentsMargins(6, 6, 6, 6);
    setCentralWidget(splitter);

    // The keyboard's way round: the list, the filter, its check boxes, the views, the editor.
    setTabOrder(list_, filterEdit_);
    setTabOrder(filterEdit_, onlyWithNotes_);
    setTabOrder(onlyWithNotes_, onlyColored_);
    setTabOrder(onlyColored_, views_);
    setTabOrder(views_, colors_);
    setTabOrder(colors_, replaceButton_);
    setTabOrder(replaceButton_, notes_);
    setTabOrder(notes_, panel_);

    createMenus();

    connect(filterEdit_, &QLineEdit::textChanged, filter_, &StringFilter::setText);
    connect(onlyWithNotes_, &QCheckBox::toggled, filter_, &StringFilter::setOnlyWithNotes);
    connect(onlyColored_, &QCheckBox::toggled, filter_, &StringFilter::setOnlyColored);
    // When the filter hides the selected string, the first one shown takes its place.
    connect(filter_, &QAbstractItemModel::rowsRemoved, this, &MapTextsWindow::keepASelection);
    connect(filter_, &QAbstractItemModel::rowsInserted, this, &MapTextsWindow::keepASelection);
    connect(filter_, &QAbstractItemModel::layoutChanged, this, &MapTextsWindow::keepASelection);
    connect(list_, &QAbstractItemView::activated, this,
            [this] { panel_->setFocus(Qt::OtherFocusReason); });
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showInEditor(currentRow()); });
    connect(colors_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        replaceButton_->setEnabled(item != nullptr);
        filter_->setColor(item != nullptr
                              ? std::optional(item->data(0, kColorRole).value<ColorValue>())
                              : std::nullopt);
    });
    connect(replaceButton_, &QPushButton::clicked, this, &MapTextsWindow::chooseReplacement);
    connect(notes_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { noteActivated(notes_->row(item)); });
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &MapTextsWindow::fileChangedOnDisk);
    viewsTimer_.setSingleShot(true);
    viewsTimer_.setInterval(kViewsDelayMs);
    connect(&viewsTimer_, &QTimer::timeout, this, &MapTextsWindow::updateViews);
    updateTitle();
}

MapTextsWindow::~MapTextsWindow() {
    watcher_.disconnect(this);
    undoStack_.disconnect(this);
    editor_->disconnect(this);
}

QString MapTextsWindow::settingsSection() {
    return QStringLiteral("Map Texts");
}

void MapTextsWindow::createMenus() {
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    QAction* open =
        fileMenu->addAction(QStringLiteral("&Open..."), this, &MapTextsWindow::chooseFile);
    open->setShortcut(QKeySequence::Open);
    recentMenu_ = fileMenu->addMenu(QStringLiteral("Open &Recent"));
    connect(recentMenu_, &QMenu::aboutToShow, this, &MapTextsWindow::fillRecentMenu);
    QAction* saveAction = fileMenu->addAction(QStringLiteral("&Save"), this, [this] { save(); });
    saveAction->setShortcut(QKeySequence::Save);
    fileMenu->addAction(QStringLiteral("Re&load"), this, [this] { reload(); });
    fileMenu->addSeparator();
    QAction* closeAction = fileMenu->addAction(QStringLiteral("&Close"), this, &QWidget::close);
    closeAction->setShortcut(QKeySequence::Close);

    QMenu* editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction* undo = undoStack_.createUndoAction(this, QStringLiteral("&Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = undoStack_.createRedoAction(this, QStringLiteral("&Redo"));
    redo->setShortcuts(QKeySequence::Redo);
    editMenu->addAction(undo);
    editMenu->addAction(redo);
    editMenu->addSeparator();
    QAction* find = editMenu->addAction(QStringLiteral("&Find"), this, [this] {
        filterEdit_->setFocus(Qt::ShortcutFocusReason);
        filterEdit_->selectAll();
    });
    find->setShortcut(QKeySequence::Find);
    QAction* editString = editMenu->addAction(QStringLiteral("&Edit String"), this, [this] {
        panel_->setFocus(Qt::ShortcutFocusReason);
    });
    editString->setShortcut(QKeySequence(Qt::Key_F2));
    editMenu->addAction(QStringLiteral("Replace &Color..."), this,
                        &MapTextsWindow::chooseReplacement);

    QMenu* viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    auto* byNumber = viewMenu->addAction(QStringLiteral("Sort by &Number"), this, [this] {
        list_->sortByColumn(string_list::NumberColumn, Qt::AscendingOrder);
    });
    auto* byPlace = viewMenu->addAction(QStringLiteral("Sort by &Place in File"), this, [this] {
        list_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
        filter_->sort(-1);
    });
    byNumber->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_1));
    byPlace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_2));
}

// The editor beside the list: the editor's own widgets, with a history of its own for each string
// (kept while another is edited). Its edits go into the file's text as they are made.
QWidget* MapTextsWindow::createEditor() {
    editor_ = new MarkupEditor(store_, colorDialog_, this);
    editor_->setObjectName(QStringLiteral("markupEditor"));
    panel_ = editor_->panel();
    editor_->setEnabled(false);
    connect(editor_, &MarkupEditor::markupEdited, this, &MapTextsWindow::editorEdited);
    return editor_;
}

void MapTextsWindow::showInEditor(int row) {
    if (shownRow_ >= 0 && histories_.count(shownRow_) > 0) {
        histories_[shownRow_].text = editor_->markup();
    }
    shownRow_ = row;
    editor_->setEnabled(row >= 0);
    if (row < 0) {
        editor_->resetMarkup(QString());
        return;
    }
    const QString& text = table_->entry(row).text;
    History& history = histories_[row];
    if (history.steps == nullptr || history.text != text) {
        history.steps = std::make_unique<QUndoStack>();
    }
    editor_->resetMarkup(text, history.steps.get());
}

void MapTextsWindow::editorEdited() {
    if (shownRow_ < 0) {
        return;
    }
    const QString& markup = editor_->markup();
    if (!StringTable::canHoldText(markup)) {
        // The step is taken back once the editor has made it; the file never holds it.
        QTimer::singleShot(0, editor_, [this] { editor_->undoStack()->undo(); });
        messageBox_.showInformation(
            this, QStringLiteral("Map Texts"),
            QStringLiteral("A string table cannot hold a line that is \"}\" alone: it would end "
                           "the string there."));
        return;
    }
    setStringText(shownRow_, markup);
}

void MapTextsWindow::replaceStringText(int row, const QString& from, const QString& to) {
    if (table_->entry(row).text == from) {
        setStringText(row, to);
    }
}

void MapTextsWindow::setStringText(int row, const QString& markup) {
    table_->setText(row, markup);
    // Modified while a text differs from the file's: an edit undone by hand is no change.
    setWindowModified(table_->isModified());
    strings_->setMarkup(row, markup);
    if (row == shownRow_) {
        editor_->showMarkup(markup); // a change from outside the editor: a step of its history
    }
    viewsTimer_.start();
}

void MapTextsWindow::keepASelection() {
    if (!list_->selectionModel()->currentIndex().isValid() && filter_->rowCount() > 0) {
        list_->selectionModel()->setCurrentIndex(
            filter_->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }
}

int MapTextsWindow::currentRow() const {
    const QModelIndex current = list_->selectionModel()->currentIndex();
    return current.isValid() ? filter_->mapToSource(current).row() : -1;
}

void MapTextsWindow::selectString(int row, qsizetype position) {
    QModelIndex shown = filter_->mapFromSource(strings_->index(row, 0));
    if (!shown.isValid()) { // hidden by the filter: the filter goes
        filterEdit_->clear();
        onlyWithNotes_->setChecked(false);
        onlyColored_->setChecked(false);
        colors_->setCurrentItem(nullptr);
        shown = filter_->mapFromSource(strings_->index(row, 0));
    }
    list_->selectionModel()->setCurrentIndex(shown, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    list_->scrollTo(shown);
    panel_->selectRange(position, position);
}

bool MapTextsWindow::openFile(const QString& path) {
    return maybeSave() && load(path);
}

bool MapTextsWindow::load(const QString& path) {
    const QString tablePath = stringTablePath(path);
    QString error;
    std::optional<StringTable> table = readStringTableFile(tablePath, &error);
    if (!table) {
        // Nothing half-read is kept: a table that is not whole is never written back.
        messageBox_.showInformation(this, QStringLiteral("Map Texts"),
                                    QStringLiteral("%1: %2\nNothing was opened.")
                                        .arg(QDir::toNativeSeparators(tablePath), error));
        return false;
    }
    if (!path_.isEmpty()) {
        watcher_.removePath(path_);
    }
    undoStack_.clear();
    editor_->resetMarkup(QString()); // the histories were of the texts of the file before
    histories_.clear();
    setWindowModified(false);
    path_ = QFileInfo(tablePath).absoluteFilePath();
    table_ = std::move(table);
    bytesOnDisk_ = table_->write(); // the bytes read: a table read is written back as it was
    changedOnDisk_ = false;
    shownRow_ = -1;
    strings_->setStrings(*table_);
    watcher_.addPath(path_);
    updateViews();
    updateTitle();
    rememberRecent(path_);
    if (strings_->rowCount() > 0) {
        selectString(0);
    } else {
        showInEditor(-1);
    }
    list_->setFocus(Qt::OtherFocusReason);
    return true;
}

void MapTextsWindow::chooseFile() {
    const QString chosen =
        fileDialog_.openFileName(this, QStringLiteral("Open Map Texts"),
                                 path_.isEmpty() ? QString() : QFileInfo(path_).absolutePath(),
                                 QStringLiteral("String tables (*.wts);;All files (*)"));
    if (!chosen.isEmpty()) {
        openFile(chosen);
    }
}

bool MapTextsWindow::save() {
    if (!table_) {
        return false;
    }
    if (changedOnDisk_) {
        const auto answer = messageBox_.ask(
            this, QStringLiteral("Map Texts"),
            QStringLiteral("%1 was changed by another program since it was opened here.\n"
                           "Write over those changes?")
                .arg(QFileInfo(path_).fileName()),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            return false;
        }
    }
    QString error;
    if (!writeStringTableFile(*table_, path_, &error)) {
        messageBox_.showInformation(
            this, QStringLiteral("Map Texts"),
            QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path_), error));
        return false;
    }
    // The table as saved is the one read from now on: its texts are no longer changes.
    bytesOnDisk_ = table_->write();
    table_ = StringTable::read(bytesOnDisk_).table;
    changedOnDisk_ = false;
    setWindowModified(false);
    // The saved file is a new one in the old one's place: it is watched again.
    watcher_.removePath(path_);
    watcher_.addPath(path_);
    return true;
}

bool MapTextsWindow::reload() {
    if (path_.isEmpty()) {
        return false;
    }
    const QString path = path_;
    return load(path); // the changes made here are dropped, not saved first
}

void MapTextsWindow::fileChangedOnDisk() {
    QFile input(path_);
    const bool readable = input.open(QIODevice::ReadOnly);
    if (readable && !watcher_.files().contains(path_)) {
        watcher_.addPath(path_); // replaced by a new file, which is watched in its turn
    }
    if (!readable) {
        // Gone for now (a program that deletes the file before writing it anew): looked for
        // again until it is back, and then compared as any change.
        QTimer::singleShot(kLookAgainMs, this, &MapTextsWindow::fileChangedOnDisk);
        return;
    }
    if (input.readAll() == bytesOnDisk_ || askingAboutDisk_) {
        return; // our own save, or asked already
    }
    changedOnDisk_ = true;
    askingAboutDisk_ = true;
    const QString prompt =
        isWindowModified()
            ? QStringLiteral("%1 was changed by another program.\nReload it and lose the "
                             "changes made here?")
            : QStringLiteral("%1 was changed by another program.\nReload it?");
    const auto answer =
        messageBox_.ask(this, QStringLiteral("Map Texts"), prompt.arg(QFileInfo(path_).fileName()),
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    askingAboutDisk_ = false;
    if (answer == QMessageBox::Yes) {
        reload();
    }
}

bool MapTextsWindow::maybeSave() {
    if (!isWindowModified() || !table_) {
        return true;
    }
    const auto answer = messageBox_.ask(
        this, QStringLiteral("Map Texts"),
        QStringLiteral("%1 has changes that are not saved.\nSave them?")
            .arg(QFileInfo(path_).fileName()),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save) {
        return save();
    }
    return answer == QMessageBox::Discard;
}

void MapTextsWindow::closeEvent(QCloseEvent* event) {
    if (maybeSave()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MapTextsWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void MapTextsWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) {
        event->acceptProposedAction();
        openFile(urls.first().toLocalFile());
    }
}

int MapTextsWindow::replaceColor(ColorValue from, ColorValue to) {
    if (!table_ || from == to) {
        return 0;
    }
    ColorReplacement replacement = hueprint::replaceColor(*table_, from, to);
    const int codes = replacement.codes;
    if (codes > 0) {
        undoStack_.push(new Recoloring(this, std::move(replacement)));
        updateViews();
    }
    return codes;
}

void MapTextsWindow::chooseReplacement() {
    const QTreeWidgetItem* item = colors_->currentItem();
    if (item == nullptr) {
        return;
    }
    const auto from = item->data(0, kColorRole).value<ColorValue>();
    const std::optional<ColorValue> to =
        colorDialog_.chooseColor(this, QStringLiteral("Replace %1 With").arg(rgbText(from)), from);
    if (to) {
        replaceColor(from, *to & kHighestColor);
    }
}

void MapTextsWindow::updateViews() {
    viewsTimer_.stop();
    updateColors();
    updateNotes();
}

void MapTextsWindow::updateColors() {
    const std::optional<ColorValue> chosen = filter_->color();
    const QSignalBlocker blocker(colors_);
    colors_->clear();
    if (!table_) {
        return;
    }
    QTreeWidgetItem* current = nullptr;
    for (const ColorUse& use : colorsUsed(*table_)) {
        auto* item = new QTreeWidgetItem(colors_);
        item->setIcon(0, swatchIcon(use.color));
        item->setText(0, rgbText(use.color));
        item->setData(0, kColorRole, QVariant::fromValue(use.color));
        item->setData(1, Qt::DisplayRole, use.codes);
        item->setData(2, Qt::DisplayRole, use.strings);
        if (chosen == use.color) {
            current = item;
        }
    }
    colors_->setCurrentItem(current);
    if (current == nullptr) {
        filter_->setColor(std::nullopt); // the color is gone from the file
        replaceButton_->setEnabled(false);
    }
}

void MapTextsWindow::updateNotes() {
    notes_->clear();
    if (!table_) {
        return;
    }
    int listed = 0;
    for (int row = 0; row < strings_->rowCount() && listed < kMostNotesListed; ++row) {
        if (strings_->index(row, 0).data(string_list::NoteCountRole).toInt() == 0) {
            continue;
        }
        const QString markup = table_->entry(row).text;
        for (const PreviewNote& note : renderPreview(markup).notes) {
            auto* item = new QListWidgetItem(
                QStringLiteral("String %1: %2").arg(strings_->number(row)).arg(noteText(note)),
                notes_);
            item->setData(kNoteRowRole, row);
            item->setData(kNotePositionRole, visiblePosition(markup, note.position));
            ++listed;
        }
    }
    views_->setTabText(1, listed == 0 ? QStringLiteral("No&tes")
                                      : QStringLiteral("No&tes (%1)").arg(listed));
}

void MapTextsWindow::noteActivated(int item) {
    const QListWidgetItem* note = notes_->item(item);
    if (note == nullptr) {
        return;
    }
    selectString(note->data(kNoteRowRole).toInt(), note->data(kNotePositionRole).toLongLong());
    panel_->setFocus(Qt::OtherFocusReason);
}

void MapTextsWindow::updateTitle() {
    setWindowTitle(
        path_.isEmpty()
            ? kMapTextsCaption
            : QStringLiteral("%1[*] - %2").arg(QFileInfo(path_).fileName(), kMapTextsCaption));
    setWindowFilePath(path_);
}

QStringList MapTextsWindow::recentFiles() const {
    QStringList files;
    for (int i = 1; i <= kRecentFiles; ++i) {
        const std::optional<QString> file =
            store_.value(settingsSection(), QStringLiteral("Recent File %1").arg(i));
        if (file && !file->isEmpty()) {
            files.append(*file);
        }
    }
    return files;
}

void MapTextsWindow::rememberRecent(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(path);
    files.prepend(path);
    for (int i = 1; i <= kRecentFiles; ++i) {
        store_.setValue(settingsSection(), QStringLiteral("Recent File %1").arg(i),
                        files.value(i - 1));
    }
    store_.sync();
}

void MapTextsWindow::fillRecentMenu() {
    recentMenu_->clear();
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString& file = files.at(i);
        recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
                                   QDir::toNativeSeparators(file).replace(u'&', "&&")),
                               this, [this, file] { openFile(file); });
    }
    recentMenu_->setEnabled(true);
    if (files.isEmpty()) {
        recentMenu_->addAction(QStringLiteral("(none)"))->setEnabled(false);
    }
}

} // namespace hueprint
