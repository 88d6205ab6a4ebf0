// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "listbox.h"
#include "memorylistbox.h"

#include <emscripten/val.h>

#include <cstdint>
#include <functional>
#include <string>

// The performer list on a page: an ARIA list box whose rows are options.
// As on the desktop, keys move a cursor through the names without picking
// anyone; Space, Enter, a click or a tap picks, that is, selects, and every
// pick is reported. The rows and the selection are kept in memory, where
// the rules read them, and mirrored into the page.
class DomListBox : public quiz::ListBox
{
public:
    explicit DomListBox(emscripten::val element);

    void Clear() override;
    void AddItem(const std::u16string &text) override;
    std::int16_t ListCount() const override;
    std::u16string List(std::int16_t row) const override;
    std::int16_t ListIndex() const override;
    void SetListIndex(std::int16_t row) override;
    void RemoveItem(std::int16_t row) override;

    // Rows are added to the page in one piece at the end of each event, or
    // before anything else touches the list: a restart lays the list out
    // once, not once per row.
    void showAddedRows();
    // Scrolls as the last event asked, at the next frame, once the page is
    // laid out, and not in the middle of building it.
    void scrollAsDue();

    void setPickListener(std::function<void()> listener);
    const emscripten::val &element() const { return m_element; }

    // The page's events, passed on by the form.
    void clicked(const emscripten::val &event);
    void keyPressed(const emscripten::val &event);

private:
    emscripten::val rowElement(int row) const;
    void showSelection(std::int16_t row, bool selected) const;
    void moveCursor(int row);
    void pick(int row);
    int rowsPerPage() const;
    int rowStartingWith(const std::u16string &letters) const;

    emscripten::val m_element;
    std::u16string m_addedRows;
    bool m_scrollToTop = false;
    bool m_revealCursor = false;
    quiz::MemoryListBox m_rows{"List1(0)"};
    int m_cursor = 0;
    unsigned m_nextId = 0;
    std::u16string m_typed;
    double m_typedAt = 0;
};
