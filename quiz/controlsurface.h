// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "listbox.h"
#include "optionbutton.h"
#include "textbox.h"

#include <cstdint>

namespace quiz {

// The operations the rules call on the window's controls, by control array
// and 16-bit index: List1(0..3), Option1(0..3), Text1(0). Any other index
// stops the program.
class ControlSurface
{
public:
    virtual ~ControlSurface() = default;

    virtual ListBox &List1(std::int16_t index) = 0;
    virtual OptionButton &Option1(std::int16_t index) = 0;
    virtual TextBox &Text1(std::int16_t index) = 0;

protected:
    // Copied only as part of a provider, never on its own: a copy through
    // this interface would slice the provider off.
    ControlSurface() = default;
    ControlSurface(const ControlSurface &) = default;
    ControlSurface &operator=(const ControlSurface &) = default;
};

} // namespace quiz
