// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "news.h"

#include "formtexts.h"

namespace quiz {

std::u16string choiceNews(std::u16string_view caption)
{
    return u"Избран глас: " + std::u16string(caption);
}

std::optional<std::u16string> logNews(std::u16string_view before, std::u16string_view after)
{
    if (after == NewGameNote)
        return std::u16string(after);
    if (after.size() <= before.size() || !after.ends_with(before))
        return std::nullopt;
    const std::u16string_view added = after.substr(0, after.size() - before.size());
    if (!added.starts_with(RightVerdict) && !added.starts_with(WrongVerdict))
        return std::nullopt;
    return std::u16string(added.substr(0, added.find(CrLf)));
}

} // namespace quiz
