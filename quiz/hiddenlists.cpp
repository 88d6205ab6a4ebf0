// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hiddenlists.h"

#include "runtimeerror.h"

namespace quiz {

HiddenLists::HiddenLists(const Catalogue &catalogue)
{
    for (const std::u16string &name : catalogue.names())
        m_masterNames.AddItem(name);
    for (const std::u16string &code : catalogue.codes())
        m_masterCodes.AddItem(code);
}

ListBox &HiddenLists::List1(std::int16_t index, ListBox &performers)
{
    switch (index) {
    case 0:
        return performers;
    case 1:
        return m_codes;
    case 2:
        return m_masterNames;
    case 3:
        return m_masterCodes;
    default:
        raiseMissingControl("List1", index);
    }
}

} // namespace quiz
