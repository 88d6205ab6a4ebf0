// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string_view>

namespace quiz {

// Fixed texts of the window that the rules or the statement also use.
inline constexpr std::u16string_view RestartCaption = u"Изчисти";
inline constexpr std::u16string_view NewGameNote = u"Нов избор";
inline constexpr std::u16string_view RightVerdict = u"Вярно ";
inline constexpr std::u16string_view WrongVerdict = u"Невярно ";
inline constexpr std::u16string_view CrLf = u"\r\n";

} // namespace quiz
