#include "runtimeerror.h"

#include <cstdio>
#include <cstdlib>

namespace quiz {

void raiseRunTimeError(std::string_view message)
{
    std::fprintf(stderr, "Tembrela: run-time error: %.*s\n",
                 static_cast<int>(message.size()), message.data());
    std::fflush(stderr);
    // _Exit, not exit: the error may strike inside a toolkit callback, where
    // running static destructors under a live event loop could crash instead.
    std::_Exit(EXIT_FAILURE);
}

} // namespace quiz
