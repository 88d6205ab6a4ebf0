// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quiz {

// What a screen reader is told when news appears away from the keyboard
// focus: the front-ends speak these through their own announcers.

// A voice chosen by a key while the focus is elsewhere.
std::u16string choiceNews(std::u16string_view caption);

// The news a write of the log brings: a verdict line put in front of what
// the log held, or the new-game note. Anything else is nothing to tell.
std::optional<std::u16string> logNews(std::u16string_view before, std::u16string_view after);

} // namespace quiz
