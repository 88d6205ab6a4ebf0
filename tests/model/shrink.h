// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <functional>
#include <vector>

// Cuts a failing event sequence down to one that still fails: drops ever
// smaller runs of events while the failure stays. Not guaranteed minimal,
// but no single event of the result can be left out.
template<typename Event>
std::vector<Event> shrinkFailure(std::vector<Event> events,
                                 const std::function<bool(const std::vector<Event> &)> &fails)
{
    if (fails({}))
        return {};
    for (std::size_t run = events.size() / 2; run >= 1; run /= 2) {
        bool dropped = true;
        while (dropped) {
            dropped = false;
            for (std::size_t start = 0; start + run <= events.size();) {
                std::vector<Event> shorter(events.begin(), events.begin() + start);
                shorter.insert(shorter.end(), events.begin() + start + run, events.end());
                if (fails(shorter)) {
                    events = std::move(shorter);
                    dropped = true;
                } else {
                    start += run;
                }
            }
        }
    }
    return events;
}
