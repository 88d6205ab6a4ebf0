// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "quizmodel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One act of the user on the in-memory surface. The number is read when the
// event is played, against the game as it then stands, so any sequence, cut
// or not, is a valid game.
struct MemoryEvent
{
    enum Kind : std::uint8_t { Choose, Pick, PickNothing, Restart };
    Kind kind;
    std::uint16_t number;

    static MemoryEvent fromBytes(std::uint8_t kind, std::uint8_t number);
    std::string describe() const;
};

// Plays events on the rules over a fresh in-memory surface and on the model
// side by side, comparing everything the user could see after each one.
class MemoryPlay
{
public:
    MemoryPlay(std::vector<ModelRow> catalogue, bool nestedEvents);

    // The first difference, naming the event after which it showed.
    std::optional<std::string> play(const std::vector<MemoryEvent> &events) const;

private:
    std::vector<ModelRow> m_catalogue;
    bool m_nested;
};

std::string describe(const std::vector<MemoryEvent> &events);
