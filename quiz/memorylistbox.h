// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "listbox.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quiz {

// A list box kept in memory: the hidden lists of the window, and every list
// of the in-memory surface the rules are tested on.
class MemoryListBox final : public ListBox
{
public:
    explicit MemoryListBox(std::string name);

    void Clear() override;
    void AddItem(const std::u16string &text) override;
    std::int16_t ListCount() const override;
    std::u16string List(std::int16_t row) const override;
    std::int16_t ListIndex() const override;
    void SetListIndex(std::int16_t row) override;
    void RemoveItem(std::int16_t row) override;

    // Called for every selection change made by the user, and, when
    // reportOwnWrites is set, for changes made through the operations above
    // (like a real list box, RemoveItem then moves the selection to the row
    // that takes the removed one's place).
    void setSelectionListener(std::function<void()> listener, bool reportOwnWrites);
    void userSelect(std::int16_t row);

    const std::vector<std::u16string> &rows() const { return m_rows; }

private:
    void changeSelection(std::int16_t row, bool byUser);

    std::string m_name;
    std::vector<std::u16string> m_rows;
    std::int16_t m_selection = -1;
    std::function<void()> m_listener;
    bool m_reportOwnWrites = false;
};

} // namespace quiz
