// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "domoptionbutton.h"

#include <utility>

DomOptionButton::DomOptionButton(emscripten::val radio, std::u16string caption)
    : m_radio(std::move(radio))
    , m_caption(std::move(caption))
{
}

bool DomOptionButton::Value() const
{
    return m_radio["checked"].as<bool>();
}

void DomOptionButton::SetValue(bool chosen)
{
    // A change made by a script fires no event, as the rules need.
    m_radio.set("checked", chosen);
}

std::u16string DomOptionButton::Caption() const
{
    return m_caption;
}
