// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// The reference model, for the page's random play under node: the one the
// desktop's random play reads, with the standard catalogue's hand-worked
// meanings.
#include "playcatalogues.h"
#include "quizmodel.h"
#include "statement.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <string>

using emscripten::val;

namespace {

// The game the page plays: the standard catalogue, opening on the
// statement the page's log starts with.
QuizModel *standardGame()
{
    const std::vector<ModelRow> rows = playcatalogues::standard();
    return new QuizModel(rows, quiz::exerciseStatement(playcatalogues::toCatalogue(rows)));
}

// Named apart from the C library's log(), which embind could not tell from
// it.
std::u16string logOf(const QuizModel &model)
{
    return model.log();
}

val namesOf(const QuizModel &model)
{
    val names = val::array();
    for (const std::u16string &name : model.names())
        names.call<void>("push", val(name));
    return names;
}

} // namespace

EMSCRIPTEN_BINDINGS(quiz_model)
{
    emscripten::class_<QuizModel>("QuizModel")
        .constructor(&standardGame, emscripten::allow_raw_pointers())
        .function("chooseVoice", &QuizModel::chooseVoice)
        .function("pickRow", &QuizModel::pickRow)
        .function("restart", &QuizModel::restart)
        .function("log", &logOf)
        .function("names", &namesOf)
        .function("shownVoice", &QuizModel::shownVoice);
}
