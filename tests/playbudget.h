// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "shrink.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Games of random play: each a fixed 60 events. CI plays the count a test
// asks for; SOAK_EVENTS=N in the environment makes every play row play N
// events instead, as many games as that takes.
namespace playbudget {

inline constexpr int EventsPerGame = 60;

inline int games(int ciGames)
{
    bool ok = false;
    const qint64 events = qEnvironmentVariableIntValue("SOAK_EVENTS", &ok);
    if (!ok || events <= 0)
        return ciGames;
    return int((events + EventsPerGame - 1) / EventsPerGame);
}

// PLAY_SEED=S replays the one game of that seed, as a failure names it.
inline bool onlySeed(std::uint64_t *seed)
{
    bool ok = false;
    const qulonglong value = qEnvironmentVariable("PLAY_SEED").toULongLong(&ok);
    if (ok)
        *seed = value;
    return ok;
}

// Plays the games of one data row, seeds from firstSeed on (or the one game
// PLAY_SEED names): newPlay(seed) sets a game up, newGame(seed) draws its
// events. Returns the first failure with its seed and the shortest event
// sequence that still fails, or nothing once all games have passed.
template<typename NewPlay, typename NewGame>
std::optional<QString> playGames(int ciGames, std::uint64_t firstSeed, NewPlay newPlay,
                                 NewGame newGame)
{
    using Events = decltype(newGame(std::uint64_t()));
    std::uint64_t only = 0;
    const bool single = onlySeed(&only);
    const int played = single ? 1 : games(ciGames);
    for (int game = 0; game < played; ++game) {
        const std::uint64_t seed = single ? only : firstSeed + std::uint64_t(game);
        const auto play = newPlay(seed);
        const Events events = newGame(seed);
        const std::optional<std::string> difference = play.play(events);
        if (!difference)
            continue;
        const Events shortest = shrinkFailure<typename Events::value_type>(
            events, [&play](const Events &tried) { return play.play(tried).has_value(); });
        return QStringLiteral("seed %1 (PLAY_SEED=%1): %2\nshortest sequence:\n%3%4")
            .arg(seed)
            .arg(QString::fromStdString(*difference))
            .arg(QString::fromStdString(describe(shortest)))
            .arg(QString::fromStdString(play.play(shortest).value_or("(passes alone)")));
    }
    qInfo("%d games, %d events", played, played * EventsPerGame);
    return std::nullopt;
}

} // namespace playbudget
