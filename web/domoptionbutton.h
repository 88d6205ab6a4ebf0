// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "optionbutton.h"

#include <emscripten/val.h>

#include <string>

// A voice option on a page: a radio button of the voice group.
class DomOptionButton : public quiz::OptionButton
{
public:
    DomOptionButton(emscripten::val radio, std::u16string caption);

    bool Value() const override;
    void SetValue(bool chosen) override;
    std::u16string Caption() const override;

    const emscripten::val &radio() const { return m_radio; }

private:
    emscripten::val m_radio;
    std::u16string m_caption;
};
