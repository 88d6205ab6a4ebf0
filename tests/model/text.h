// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>
#include <vector>

// Texts for failure messages: UTF-8, with CR, LF and tab spelled out so
// that a missing or extra line break shows.
std::string printable(std::u16string_view text);
std::string printable(const std::vector<std::u16string> &rows);
