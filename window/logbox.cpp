// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "logbox.h"

#include <QScrollBar>
#include <QTextCursor>

namespace {

QString shown(std::u16string_view text)
{
    QString lines = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return lines;
}

} // namespace

LogBox::LogBox(const std::u16string &text, QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Nobody can undo in a read-only box; the edits below would only pile up.
    document()->setUndoRedoEnabled(false);
    SetText(text);
}

std::u16string LogBox::Text() const
{
    return m_text;
}

void LogBox::SetText(const std::u16string &text)
{
    // An answer writes the log twice, a line break added at the end and a
    // verdict put at the top. Only the part that changed is handed to the
    // widget, which then lays out one line instead of the whole log. A CR LF
    // split across the seam would show differently in parts: then all goes.
    const std::u16string_view before(m_text), after(text);
    QTextCursor cursor(document());
    if (!before.empty() && after.size() > before.size() && after.starts_with(before)
        && before.back() != u'\r') {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(shown(after.substr(before.size())));
    } else if (!before.empty() && after.size() > before.size() && after.ends_with(before)
               && before.front() != u'\n') {
        cursor.insertText(shown(after.substr(0, after.size() - before.size())));
    } else if (after != before) {
        setPlainText(shown(after));
    }
    m_text = text;
    // The newest verdict is the first line: keep it in view.
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(verticalScrollBar()->minimum());
    Q_EMIT written();
}
