// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace quiz {

class TextBox
{
public:
    virtual ~TextBox() = default;

    // Returns exactly the text last written, CR LF pairs included.
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string &text) = 0;

protected:
    // Copied only as part of a provider, never on its own: a copy through
    // this interface would slice the provider off.
    TextBox() = default;
    TextBox(const TextBox &) = default;
    TextBox &operator=(const TextBox &) = default;
};

} // namespace quiz
