// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the rules through the in-memory surface: the bytes choose a
// catalogue, whether the surface nests its events, and a sequence of the
// learner's acts; after every act the quiz must show what the model shows.
#include "memoryplay.h"
#include "playcatalogues.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const bool nested = data[0] & 1;
    const int rows = (data[0] >> 1) % 41;
    const std::uint64_t seed = data[1] | (std::uint64_t(data[2]) << 8);
    std::vector<ModelRow> catalogue =
        data[0] >= 0xF0 ? playcatalogues::standard() : playcatalogues::odd(seed, rows);

    std::vector<MemoryEvent> events;
    for (std::size_t i = 3; i + 1 < size; i += 2)
        events.push_back(MemoryEvent::fromBytes(data[i], data[i + 1]));

    const MemoryPlay play(std::move(catalogue), nested);
    if (const auto difference = play.play(events)) {
        std::fprintf(stderr, "%s\nevents:\n%s", difference->c_str(), describe(events).c_str());
        std::abort();
    }
    return 0;
}
