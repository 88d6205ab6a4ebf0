// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memoryplay.h"

#include "memorysurface.h"
#include "playcatalogues.h"
#include "tembrela.h"
#include "text.h"

#include <cstdint>

namespace {

std::optional<std::string> compare(const quiz::MemorySurface &surface, const quiz::Tembrela &form,
                                   const QuizModel &model)
{
    auto differs = [](const char *what, const std::string &actual, const std::string &expected) {
        return std::string(what) + ": quiz has " + actual + ", model has " + expected;
    };
    if (surface.logText() != model.log())
        return differs("log", printable(surface.logText()), printable(model.log()));
    if (surface.list(0).rows() != model.names())
        return differs("performers", printable(surface.list(0).rows()), printable(model.names()));
    if (surface.list(1).rows() != model.codes())
        return differs("codes", printable(surface.list(1).rows()), printable(model.codes()));
    if (surface.chosenOption() != model.shownVoice())
        return differs("chosen option", std::to_string(surface.chosenOption()),
                       std::to_string(model.shownVoice()));
    if (form.voiceChosen() != model.voiceChosen())
        return differs("voice chosen", std::to_string(form.voiceChosen()),
                       std::to_string(model.voiceChosen()));
    if (surface.list(0).ListIndex() != -1)
        return differs("performer selection", std::to_string(surface.list(0).ListIndex()), "-1");
    return std::nullopt;
}

} // namespace

MemoryEvent MemoryEvent::fromBytes(std::uint8_t kind, std::uint8_t number)
{
    return {static_cast<Kind>(kind % 4), number};
}

std::string MemoryEvent::describe() const
{
    switch (kind) {
    case Choose:
        return "choose voice " + std::to_string(number % 4);
    case Pick:
        return "pick row #" + std::to_string(number) + " (mod rows)";
    case PickNothing:
        return "select no row";
    case Restart:
        return "restart";
    }
    return "?";
}

std::string describe(const std::vector<MemoryEvent> &events)
{
    std::string text;
    for (std::size_t i = 0; i < events.size(); ++i)
        text += "  " + std::to_string(i + 1) + ". " + events[i].describe() + "\n";
    return text;
}

MemoryPlay::MemoryPlay(std::vector<ModelRow> catalogue, bool nestedEvents)
    : m_catalogue(std::move(catalogue))
    , m_nested(nestedEvents)
{
}

std::optional<std::string> MemoryPlay::play(const std::vector<MemoryEvent> &events) const
{
    const quiz::Catalogue catalogue = playcatalogues::toCatalogue(m_catalogue);
    quiz::MemorySurface surface(catalogue);
    quiz::Tembrela form(surface);
    surface.attach(form, m_nested);
    QuizModel model(m_catalogue, surface.logText());
    form.Form_Load();
    if (auto difference = compare(surface, form, model))
        return "after load: " + *difference;

    for (std::size_t i = 0; i < events.size(); ++i) {
        const MemoryEvent &event = events[i];
        switch (event.kind) {
        case MemoryEvent::Choose:
            surface.userChooseOption(static_cast<std::int16_t>(event.number % 4));
            model.chooseVoice(event.number % 4);
            break;
        case MemoryEvent::Pick:
            if (model.rowCount() > 0) {
                const int row = event.number % model.rowCount();
                surface.userSelectPerformer(static_cast<std::int16_t>(row));
                model.pickRow(row);
            }
            break;
        case MemoryEvent::PickNothing:
            surface.userSelectPerformer(-1);
            break;
        case MemoryEvent::Restart:
            surface.userPressRestart();
            model.restart();
            break;
        }
        if (auto difference = compare(surface, form, model))
            return "after event " + std::to_string(i + 1) + " (" + event.describe()
                   + "): " + *difference;
    }
    return std::nullopt;
}
