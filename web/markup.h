// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// Text put into a page's markup as text, never as markup.
std::u16string escaped(std::u16string_view text);
