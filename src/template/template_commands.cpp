// SPDX-License-Identifier: MIT
#include "template_commands.h"

#include "platform/clipboard.h"
#include "platform/message_box.h"
#include "platform/text_box_text.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace hueprint {

void About(MessageBox& messageBox, QWidget* parent) {
    messageBox.showInformation(
        parent, kWindowCaption,
        QStringLiteral("       This Program Was Made By:\r\n               Umber_Moth_Sage"));
}

void Erase(const TemplateControls& controls) {
    controls.Text1->setPlainText(QString());
    controls.Text2->setPlainText(QString());
}

void Copy(const TemplateControls& controls, Clipboard& clipboard) {
    QPlainTextEdit* result = controls.Text1;
    result->setFocus(Qt::OtherFocusReason);
    QTextCursor cursor = result->textCursor();
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    result->setTextCursor(cursor);
    clipboard.clear();
    clipboard.setText(selectedTextBoxText(*result));
}

} // namespace hueprint
