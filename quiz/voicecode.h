// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace quiz {

// Reads the number a text begins with, as the BASIC Val function does:
// blanks, tabs and line feeds are skipped anywhere, then an optional sign,
// decimal digits, a fraction and an E or D exponent; reading stops at the
// first other character. A text that begins with no number reads as 0.
double Val(std::u16string_view text);

// Rounds to the nearest 16-bit integer, halves to the even neighbour;
// nothing when the result does not fit.
std::optional<std::int16_t> roundToInt16(double value);

// A performer's voice code as a VoiceKind. A code too large for 16 bits
// gives nothing, so it matches no voice rather than stopping the quiz.
std::optional<VoiceKind> voiceKindFromCode(std::u16string_view code);

} // namespace quiz
