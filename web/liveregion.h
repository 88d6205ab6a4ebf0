// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <emscripten/val.h>

#include <string>

// Speaks news that appears away from the keyboard focus, such as a verdict
// written into the log while the learner is in the performer list: an
// invisible polite live region that screen readers read out as it changes.
class LiveRegion
{
public:
    explicit LiveRegion(emscripten::val element);

    void announce(const std::u16string &news);

private:
    emscripten::val m_element;
};
