// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "listbox.h"

#include <QListWidget>

#include <cstdint>

// The visible list of the current game. Keys move a cursor through the
// names without picking anyone; Space, Enter or a mouse click picks, that
// is, selects, and every change of selection is reported to the rules.
class PerformerList : public QListWidget, public quiz::ListBox
{
    Q_OBJECT

public:
    explicit PerformerList(QWidget *parent);

    void Clear() override;
    void AddItem(const std::u16string &text) override;
    std::int16_t ListCount() const override;
    std::u16string List(std::int16_t row) const override;
    std::int16_t ListIndex() const override;
    void SetListIndex(std::int16_t row) override;
    void RemoveItem(std::int16_t row) override;

    void keyboardSearch(const QString &search) override;

protected:
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    void reportCursorRow();
};
