// SPDX-License-Identifier: MIT
// The "Map Texts" window on a large table (not a test: it prints figures for BENCHMARKS.md).
// A generated war3map.wts of 8,500 strings (about 1.5 MB, half of them colored, CJK text):
//   open    the file read and listed in the window (read, the list's rows worked out, the
//           Colors and Notes views filled), against reading it and splitting it into lines
//           plainly (the baseline);
//   filter  each keystroke typed into the window's filter (narrowing and widening again, the
//           list redrawn), against one plain pass over the strings' texts looking for the
//           filter text (the baseline).
// Each figure is printed as a line "<name>\t<milliseconds>", one per sample.
//   map_texts_window_bench [rounds]

#include "maptexts/map_texts_window.h"
#include "platform/color_dialog.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"

#include "no_settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>

using namespace hueprint;

namespace {

class NoColorDialog final : public ColorDialog {
public:
    std::optional<ColorValue> chooseColor(QWidget*, const QString&, ColorValue) override {
        return {};
    }
};
class NoMessageBox final : public MessageBox {
public:
    void showInformation(QWidget*, const QString&, const QString& prompt) override {
        std::fprintf(stderr, "%s\n", qPrintable(prompt));
    }
    QMessageBox::StandardButton ask(QWidget*, const QString&, const QString&,
                                    QMessageBox::StandardButtons,
                                    QMessageBox::StandardButton) override {
        return QMessageBox::Discard;
    }
};
class NoFileDialog final : public FileDialog {
public:
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
};

// 8,500 strings as the game's editor writes them: CRLF, a comment each, every other text
// colored (a gold hotkey, a red figure), CJK and Latin words, some on two lines.
QByteArray generatedTable() {
    const QString words[] = {QStringLiteral("\u706B\u7130\u4E4B\u5251"),
                             QStringLiteral("Footman"),
                             QStringLiteral("\u51B0\u971C\u62A4\u7532"),
                             QStringLiteral("damage"),
                             QStringLiteral("\u751F\u547D\u503C"),
                             QStringLiteral("Storm Bolt"),
                             QStringLiteral("\u6CD5\u529B"),
                             QStringLiteral("armor")};
    QByteArray table = "\xEF\xBB\xBF";
    for (int n = 1; n <= 8500; ++n) {
        QString text;
        for (int w = 0; w < 11; ++w) {
            const QString& word = words[(n * 7 + w * 3) % 8];
            if (n % 2 == 0 && w % 3 == 1) {
                text += QStringLiteral("|cff%1%2|r ")
                            .arg(w % 2 ? QStringLiteral("ffcc00") : QStringLiteral("ff0000"), word);
            } else {
                text += word + u' ';
            }
            if (w == 4 && n % 5 == 0) {
                text += QStringLiteral("\r\n");
            }
        }
        table += QStringLiteral("STRING %1\r\n// Units: Unit %1 (Tooltip)\r\n{\r\n%2\r\n}\r\n\r\n")
                     .arg(n)
                     .arg(text.trimmed())
                     .toUtf8();
    }
    return table;
}

void print(const char* name, qint64 nanoseconds) {
    std::printf("%s\t%.3f\n", name, static_cast<double>(nanoseconds) / 1e6);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("war3map.wts"));
    const QByteArray bytes = generatedTable();
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            return 1;
        }
    }
    std::fprintf(stderr, "table: %lld bytes, 8500 strings\n", static_cast<long long>(bytes.size()));

    NoSettings settings;
    NoColorDialog colorDialog;
    NoMessageBox messageBox;
    NoFileDialog fileDialog;
    const QString typed = QStringLiteral("unit 12");
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                return 1;
            }
            const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
            if (lines.size() < 8500) {
                return 1;
            }
        }
        print("open baseline (read and split)", timer.nsecsElapsed());

        MapTextsWindow window(settings, colorDialog, messageBox, fileDialog);
        window.resize(1000, 640);
        window.show();
        QCoreApplication::processEvents();
        timer.restart();
        if (!window.openFile(path)) {
            return 1;
        }
        QCoreApplication::processEvents(); // drawn
        print("open and list", timer.nsecsElapsed());

        // The filter: each key typed, then each taken back with Backspace.
        QLineEdit* filter = window.filterEdit();
        filter->setFocus();
        const auto key = [&](int code, const QString& text) {
            QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
            QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
            timer.restart();
            QApplication::sendEvent(filter, &press);
            QApplication::sendEvent(filter, &release);
            QCoreApplication::processEvents(); // the list redrawn
            print("filter keystroke", timer.nsecsElapsed());
        };
        for (const QChar c : typed) {
            key(Qt::Key_unknown, QString(c));
        }
        for (qsizetype i = 0; i < typed.size(); ++i) {
            key(Qt::Key_Backspace, QString());
        }
        // The baseline: one plain pass over the texts and comments for each filter text.
        const StringTable& table = *window.table();
        for (qsizetype length = 1; length <= typed.size(); ++length) {
            const QString text = typed.left(length);
            timer.restart();
            int found = 0;
            for (int i = 0; i < table.count(); ++i) {
                found += table.entry(i).text.contains(text, Qt::CaseInsensitive) ||
                         table.entry(i).comment.contains(text, Qt::CaseInsensitive);
            }
            print("filter baseline (plain pass)", timer.nsecsElapsed() + (found < 0 ? 1 : 0));
        }
    }
    return 0;
}
