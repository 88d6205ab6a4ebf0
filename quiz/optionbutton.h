// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace quiz {

class OptionButton
{
public:
    virtual ~OptionButton() = default;

    virtual bool Value() const = 0;
    // Only ever called with false; must not report a click back.
    virtual void SetValue(bool chosen) = 0;
    virtual std::u16string Caption() const = 0;

protected:
    // Copied only as part of a provider, never on its own: a copy through
    // this interface would slice the provider off.
    OptionButton() = default;
    OptionButton(const OptionButton &) = default;
    OptionButton &operator=(const OptionButton &) = default;
};

} // namespace quiz
