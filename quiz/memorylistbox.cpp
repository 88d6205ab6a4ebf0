// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memorylistbox.h"

#include "catalogue.h"
#include "runtimeerror.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace quiz {

MemoryListBox::MemoryListBox(std::string name)
    : m_name(std::move(name))
{
}

void MemoryListBox::changeSelection(std::int16_t row, bool byUser)
{
    if (row == m_selection)
        return;
    m_selection = row;
    if (m_listener && (byUser || m_reportOwnWrites))
        m_listener();
}

void MemoryListBox::Clear()
{
    m_rows.clear();
    changeSelection(-1, false);
}

void MemoryListBox::AddItem(const std::u16string &text)
{
    if (m_rows.size() >= Catalogue::MaxRows)
        raiseRunTimeError(m_name + ".AddItem: the list is full ("
                          + std::to_string(Catalogue::MaxRows) + " rows)");
    m_rows.push_back(text);
}

std::int16_t MemoryListBox::ListCount() const
{
    return static_cast<std::int16_t>(m_rows.size());
}

std::u16string MemoryListBox::List(std::int16_t row) const
{
    checkRow(m_name, "List", row, ListCount());
    return m_rows[static_cast<std::size_t>(row)];
}

std::int16_t MemoryListBox::ListIndex() const
{
    return m_selection;
}

void MemoryListBox::SetListIndex(std::int16_t row)
{
    if (row != -1)
        checkRow(m_name, "ListIndex", row, ListCount());
    changeSelection(row, false);
}

void MemoryListBox::RemoveItem(std::int16_t row)
{
    checkRow(m_name, "RemoveItem", row, ListCount());
    m_rows.erase(m_rows.begin() + row);
    if (m_selection > row) {
        --m_selection; // the same row, moved up: no change to report
    } else if (m_selection == row) {
        // The selected row is gone; the next one (or the new last) takes its
        // place, a new selection in all but number.
        m_selection = -2;
        changeSelection(std::min(row, static_cast<std::int16_t>(ListCount() - 1)), false);
    }
}

void MemoryListBox::setSelectionListener(std::function<void()> listener, bool reportOwnWrites)
{
    m_listener = std::move(listener);
    m_reportOwnWrites = reportOwnWrites;
}

void MemoryListBox::userSelect(std::int16_t row)
{
    if (row != -1)
        checkRow(m_name, "ListIndex", row, ListCount());
    changeSelection(row, true);
}

} // namespace quiz
