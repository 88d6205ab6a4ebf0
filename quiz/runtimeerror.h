// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <string_view>

namespace quiz {

// A failed control operation ends the program with a message naming the
// error: nothing in the quiz catches it, and the rules never cause one.
// The message goes to standard error and, when a reporter is set, to the
// reporter too: a windowed program has no console to show it on.
[[noreturn]] void raiseRunTimeError(std::string_view message);

using RunTimeErrorReporter = void (*)(std::string_view message);
void setRunTimeErrorReporter(RunTimeErrorReporter reporter);

// The two errors a control operation can raise.
[[noreturn]] void raiseMissingControl(std::string_view array, int index);
// The element index of a control array of count elements, as an index into
// the provider's own array, once it is known to exist.
std::size_t checkControl(std::string_view array, int index, std::size_t count);
void checkRow(std::string_view list, const char *operation, int row, int rowCount);

} // namespace quiz
