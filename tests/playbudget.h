#pragma once

#include <QString>

#include <cstdint>

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

} // namespace playbudget
