#pragma once

#include <string_view>

namespace quiz {

// A failed control operation ends the program with a message naming the
// error: nothing in the quiz catches it, and the rules never cause one.
[[noreturn]] void raiseRunTimeError(std::string_view message);

// The two errors a control operation can raise.
[[noreturn]] void raiseMissingControl(std::string_view array, int index);
void checkRow(std::string_view list, const char *operation, int row, int rowCount);

} // namespace quiz
