// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"
#include "controlsurface.h"
#include "memorylistbox.h"
#include "memoryoptiongroup.h"
#include "memorytextbox.h"

#include <array>
#include <cstdint>

namespace quiz {

class Tembrela;

// The whole control surface in memory, created as the window is: empty
// game lists, the catalogue in the master lists, the statement in the log.
// Runs the rules without any toolkit.
class MemorySurface final : public ControlSurface
{
public:
    explicit MemorySurface(const Catalogue &catalogue);

    ListBox &List1(std::int16_t index) override;
    OptionButton &Option1(std::int16_t index) override;
    TextBox &Text1(std::int16_t index) override;

    // Routes events to the rules; with nestedEvents, the rules' own
    // selection changes call List1_Click back at once, as a real list does.
    void attach(Tembrela &form, bool nestedEvents);

    void userChooseOption(std::int16_t index);
    void userSelectPerformer(std::int16_t row);
    void userPressRestart();

    const MemoryListBox &list(std::int16_t index) const;
    std::int16_t chosenOption() const { return m_options.chosen(); }
    std::u16string logText() const { return m_log.Text(); }

private:
    std::array<MemoryListBox, 4> m_lists;
    MemoryOptionGroup m_options;
    MemoryTextBox m_log;
    Tembrela *m_form = nullptr;
};

} // namespace quiz
