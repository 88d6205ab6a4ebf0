// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"
#include "quizmodel.h"

#include <cstdint>
#include <string_view>
#include <vector>

// Catalogues for random play, as the model sees them (with the meaning of
// every code worked out by hand) and as the quiz is given them.
namespace playcatalogues {

std::vector<ModelRow> standard();
// rows performers with codes drawn from texts the rows never carry in the
// real catalogue: blanks, signs, fractions, exponents, letters, overflow.
std::vector<ModelRow> odd(std::uint64_t seed, int rows);
// The largest catalogue a 16-bit row number addresses, or any other size.
std::vector<ModelRow> numbered(int rows);

// A catalogue of one of the kinds the random plays name their data rows
// after: "standard", "empty", "one_row", or odd rows, 1 to oddRows of them.
std::vector<ModelRow> ofKind(std::string_view kind, std::uint64_t seed, int oddRows);

quiz::Catalogue toCatalogue(const std::vector<ModelRow> &rows);

} // namespace playcatalogues
