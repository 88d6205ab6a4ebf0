// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtimeerror.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace quiz {

namespace {

RunTimeErrorReporter reporter = nullptr;

} // namespace

void setRunTimeErrorReporter(RunTimeErrorReporter newReporter)
{
    reporter = newReporter;
}

void raiseRunTimeError(std::string_view message)
{
    std::fprintf(stderr, "Tembrela: run-time error: %.*s\n", static_cast<int>(message.size()),
                 message.data());
    std::fflush(stderr);
    if (reporter)
        reporter(message);
    // _Exit, not exit: the error may strike inside a toolkit callback, where
    // running static destructors under a live event loop could crash instead.
    std::_Exit(EXIT_FAILURE);
}

void raiseMissingControl(std::string_view array, int index)
{
    raiseRunTimeError("control array element " + std::string(array) + "(" + std::to_string(index)
                      + ") does not exist");
}

std::size_t checkControl(std::string_view array, int index, std::size_t count)
{
    if (index < 0 || static_cast<std::size_t>(index) >= count)
        raiseMissingControl(array, index);
    return static_cast<std::size_t>(index);
}

void checkRow(std::string_view list, const char *operation, int row, int rowCount)
{
    if (row < 0 || row >= rowCount)
        raiseRunTimeError("invalid row " + std::to_string(row) + " for " + std::string(list) + "."
                          + operation + " (the list has " + std::to_string(rowCount) + " rows)");
}

} // namespace quiz
