#pragma once

#include <string_view>

namespace quiz {

// A failed control operation ends the program with a message naming the
// error: nothing in the quiz catches it, and the rules never cause one.
[[noreturn]] void raiseRunTimeError(std::string_view message);

} // namespace quiz
