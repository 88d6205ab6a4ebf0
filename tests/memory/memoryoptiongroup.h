// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "optionbutton.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quiz {

// Option buttons of one group kept in memory: at most one is chosen.
class MemoryOptionGroup
{
public:
    explicit MemoryOptionGroup(const std::vector<std::u16string> &captions);

    std::int16_t size() const { return static_cast<std::int16_t>(m_buttons.size()); }
    OptionButton &button(std::int16_t index);
    std::int16_t chosen() const { return m_chosen; }

    // The user's choice: chooses the button, un-chooses the others, then
    // reports the newly chosen button only.
    void setClickListener(std::function<void(std::int16_t)> listener);
    void userChoose(std::int16_t index);

private:
    class Button final : public OptionButton
    {
    public:
        Button(MemoryOptionGroup &group, std::int16_t index, std::u16string caption);
        bool Value() const override;
        void SetValue(bool chosen) override;
        std::u16string Caption() const override;

    private:
        MemoryOptionGroup &m_group;
        std::int16_t m_index;
        std::u16string m_caption;
    };

    std::vector<Button> m_buttons;
    std::int16_t m_chosen = -1;
    std::function<void(std::int16_t)> m_listener;
};

} // namespace quiz
