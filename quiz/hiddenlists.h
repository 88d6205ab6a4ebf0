// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"
#include "listbox.h"
#include "memorylistbox.h"

#include <cstdint>

namespace quiz {

// The lists a window keeps out of sight: the voice codes of the game beside
// its visible performer list, and the catalogue's two columns, filled at
// creation. Every front-end's List1 goes through here.
class HiddenLists
{
public:
    explicit HiddenLists(const Catalogue &catalogue);

    // List1(index), the front-end's own performer list being List1(0);
    // any other index stops the program.
    ListBox &List1(std::int16_t index, ListBox &performers);

private:
    MemoryListBox m_codes{"List1(1)"};
    MemoryListBox m_masterNames{"List1(2)"};
    MemoryListBox m_masterCodes{"List1(3)"};
};

} // namespace quiz
