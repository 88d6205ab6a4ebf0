// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "performerlist.h"

#include "cursordelegate.h"
#include "runtimeerror.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include <cstdint>
#include <string>

PerformerList::PerformerList(QWidget *parent)
    : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the same height: the view then lays out thousands of
    // rows without measuring each.
    setUniformItemSizes(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A scroll bar that comes and goes as the list shrinks tells screen
    // readers so through a frame the list's accessible rows do not include,
    // and the toolkit warns each time one asks where that frame sits.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setItemDelegate(new CursorDelegate(this));
}

void PerformerList::Clear()
{
    clear();
    // A cleared list box shows its next rows from the first.
    scrollToTop();
}

void PerformerList::AddItem(const std::u16string &text)
{
    if (count() >= 32767)
        quiz::raiseRunTimeError("List1(0).AddItem: the list is full (32767 rows)");
    addItem(QString::fromStdU16String(text));
    // The cursor rests on a row from the start: a screen reader names the
    // row under it when the learner enters the list.
    if (count() == 1)
        setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

std::int16_t PerformerList::ListCount() const
{
    return static_cast<std::int16_t>(count());
}

std::u16string PerformerList::List(std::int16_t row) const
{
    quiz::checkRow("List1(0)", "List", row, ListCount());
    return item(row)->text().toStdU16String();
}

std::int16_t PerformerList::ListIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? std::int16_t(-1)
                              : static_cast<std::int16_t>(selected.first().row());
}

void PerformerList::SetListIndex(std::int16_t row)
{
    if (row != -1)
        quiz::checkRow("List1(0)", "ListIndex", row, ListCount());
    if (row == ListIndex())
        return;
    if (row == -1)
        clearSelection();
    else
        selectionModel()->select(model()->index(row, 0), QItemSelectionModel::ClearAndSelect);
}

void PerformerList::RemoveItem(std::int16_t row)
{
    quiz::checkRow("List1(0)", "RemoveItem", row, ListCount());
    // While the row goes, the toolkit moves the cursor to the row below and
    // scrolls to it; the names left should stay where the learner saw them.
    const int offset = verticalScrollBar()->value();
    // Taken out first: deleting an item still in the view trips the
    // accessibility code that tracks it.
    delete takeItem(row);
    verticalScrollBar()->setValue(offset);
}

QItemSelectionModel::SelectionFlags PerformerList::selectionCommand(const QModelIndex &index,
                                                                    const QEvent *event) const
{
    // Keys and the view's own cursor moves only move the cursor; a pick is
    // a mouse press, or Space and Enter below.
    if (!event || event->type() == QEvent::KeyPress)
        return QItemSelectionModel::NoUpdate;
    // Only the main button picks, as in any list box: a right or middle
    // click is no answer.
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        const auto *mouse = static_cast<const QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton && mouse->buttons() != Qt::LeftButton)
            return QItemSelectionModel::NoUpdate;
        break;
    }
    default:
        break;
    }
    return QListWidget::selectionCommand(index, event);
}

void PerformerList::keyboardSearch(const QString &search)
{
    // In single selection the search would select the found row, a pick.
    const QAbstractItemView::SelectionMode mode = selectionMode();
    setSelectionMode(QAbstractItemView::NoSelection);
    QListWidget::keyboardSearch(search);
    setSelectionMode(mode);
}

void PerformerList::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Select:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (event->modifiers() & ~Qt::KeypadModifier)
            break;
        if (currentIndex().isValid())
            selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    default:
        break;
    }
    QListWidget::keyPressEvent(event);
}

void PerformerList::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is a pick like any other. The view
    // would take it for activating the row pressed before and select
    // nothing, so a learner who clicked a name too early, chose a voice by
    // key and clicked the name again at once would lose that answer.
    QMouseEvent press(QEvent::MouseButtonPress, event->position(), event->scenePosition(),
                      event->globalPosition(), event->button(), event->buttons(),
                      event->modifiers(), event->pointingDevice());
    mousePressEvent(&press);
}

void PerformerList::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    // Entering the list moves no cursor, so the toolkit names only the list,
    // and that after this handler. The row under the cursor follows it. A
    // click names its own row as it moves the cursor there.
    if (event->reason() != Qt::MouseFocusReason)
        QMetaObject::invokeMethod(this, &PerformerList::reportCursorRow, Qt::QueuedConnection);
}

void PerformerList::reportCursorRow()
{
    if (!hasFocus() || !currentIndex().isValid() || !QAccessible::isActive())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(currentRow());
    QAccessible::updateAccessibility(&focus);
}

void PerformerList::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The list view reports every cursor move as the focus moving to that
    // row. A restart refills the list while "Изчисти" has the focus, and
    // screen readers would follow the report into the list.
    if (hasFocus())
        QListWidget::currentChanged(current, previous);
    else
        // NOLINTNEXTLINE(bugprone-parent-virtual-call): QListView's report is the one to skip
        QAbstractItemView::currentChanged(current, previous);
}
