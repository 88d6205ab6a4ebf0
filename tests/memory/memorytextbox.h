// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "textbox.h"

namespace quiz {

class MemoryTextBox final : public TextBox
{
public:
    explicit MemoryTextBox(std::u16string text = {})
        : m_text(std::move(text))
    {
    }

    std::u16string Text() const override { return m_text; }
    void SetText(const std::u16string &text) override { m_text = text; }

private:
    std::u16string m_text;
};

} // namespace quiz
