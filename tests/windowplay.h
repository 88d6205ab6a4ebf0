// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "quizmodel.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

class TembrelaWindow;

// One real input event on the window. Its numbers are read when it is sent,
// against the window as it then stands (which rows are in view, which
// control has the focus), so any sequence, cut or not, can be played.
struct WindowEvent
{
    enum Kind : std::uint8_t {
        ClickOption,
        ClickRow,
        DoubleClickRow,
        QuickSecondClick,
        DragAcrossRows,
        ClickListSpace,
        WheelList,
        ClickRestart,
        ClickLog,
        Key,
        TypeLetter,
    };
    Kind kind;
    std::uint32_t a;
    std::uint32_t b;

    static WindowEvent random(std::mt19937_64 &random);
    std::string describe() const;
};

// Plays events on a fresh window, offscreen, and on the model side by side,
// and after each one compares what the learner would see.
class WindowPlay
{
public:
    explicit WindowPlay(std::vector<ModelRow> catalogue);

    std::optional<std::string> play(const std::vector<WindowEvent> &events) const;

private:
    std::vector<ModelRow> m_catalogue;
};

std::string describe(const std::vector<WindowEvent> &events);
