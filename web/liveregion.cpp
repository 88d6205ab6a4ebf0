// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "liveregion.h"

#include <utility>

using emscripten::val;

LiveRegion::LiveRegion(val element)
    : m_element(std::move(element))
{
}

void LiveRegion::announce(const std::u16string &news)
{
    // Each piece of news is a new node, so the same words twice in a row
    // are read twice.
    val line = val::global("document").call<val>("createElement", val("div"));
    line.set("textContent", news);
    m_element.call<void>("replaceChildren", line);
}
