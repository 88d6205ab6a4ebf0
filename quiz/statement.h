// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"

#include <string>

namespace quiz {

// The exercise statement the log shows at start: nine lines, each ended by
// CR LF; its list of performers is taken from the catalogue.
std::u16string exerciseStatement(const Catalogue &catalogue);

} // namespace quiz
