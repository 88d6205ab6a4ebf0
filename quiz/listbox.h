// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

namespace quiz {

// A list box as the rules reach it. A provider implements it with a real
// widget or in memory; an operation given a row outside the list stops the
// program (raiseRunTimeError).
class ListBox
{
public:
    virtual ~ListBox() = default;

    virtual void Clear() = 0;
    virtual void AddItem(const std::u16string &text) = 0;
    virtual std::int16_t ListCount() const = 0;
    virtual std::u16string List(std::int16_t row) const = 0;
    virtual std::int16_t ListIndex() const = 0;
    // -1 clears the selection. A write that changes the selection may call
    // back into the rules at once; one that leaves it as it was must not.
    virtual void SetListIndex(std::int16_t row) = 0;
    virtual void RemoveItem(std::int16_t row) = 0;

protected:
    // Copied only as part of a provider, never on its own: a copy through
    // this interface would slice the provider off.
    ListBox() = default;
    ListBox(const ListBox &) = default;
    ListBox &operator=(const ListBox &) = default;
};

} // namespace quiz
