// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memoryoptiongroup.h"

#include "runtimeerror.h"

#include <cstdint>

namespace quiz {

MemoryOptionGroup::Button::Button(MemoryOptionGroup &group, std::int16_t index,
                                  std::u16string caption)
    : m_group(group)
    , m_index(index)
    , m_caption(std::move(caption))
{
}

bool MemoryOptionGroup::Button::Value() const
{
    return m_group.m_chosen == m_index;
}

void MemoryOptionGroup::Button::SetValue(bool chosen)
{
    if (chosen)
        m_group.m_chosen = m_index;
    else if (m_group.m_chosen == m_index)
        m_group.m_chosen = -1;
}

std::u16string MemoryOptionGroup::Button::Caption() const
{
    return m_caption;
}

MemoryOptionGroup::MemoryOptionGroup(const std::vector<std::u16string> &captions)
{
    m_buttons.reserve(captions.size());
    for (std::size_t k = 0; k < captions.size(); ++k)
        m_buttons.emplace_back(*this, static_cast<std::int16_t>(k), captions[k]);
}

OptionButton &MemoryOptionGroup::button(std::int16_t index)
{
    return m_buttons[checkControl("Option1", index, m_buttons.size())];
}

void MemoryOptionGroup::setClickListener(std::function<void(std::int16_t)> listener)
{
    m_listener = std::move(listener);
}

void MemoryOptionGroup::userChoose(std::int16_t index)
{
    button(index).SetValue(true);
    if (m_listener)
        m_listener(index);
}

} // namespace quiz
