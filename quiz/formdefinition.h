// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"

#include <array>
#include <string_view>

// The form as it is designed: its geometry in twips, its fills, its font and
// the fixed texts the rules do not use. Every front-end builds its window
// from this one definition.
namespace form {

struct TwipsRect
{
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int TwipsPerPixel = 15;

inline constexpr TwipsRect FormRect{0, 0, 6960, 5175};
inline constexpr TwipsRect TitleRect{1440, 0, 3975, 375};
inline constexpr TwipsRect VoiceFrameRect{240, 480, 2175, 1575};
// Relative to the frame.
inline constexpr std::array<TwipsRect, quiz::VoiceCount> VoiceOptionRects{{
    {120, 300, 1935, 300},
    {120, 600, 1935, 300},
    {120, 900, 1935, 300},
    {120, 1200, 1935, 300},
}};
inline constexpr TwipsRect HeadingRect{2760, 480, 3975, 375};
inline constexpr TwipsRect PerformersRect{2760, 840, 3975, 1485};
inline constexpr TwipsRect RestartRect{480, 2160, 1695, 375};
inline constexpr TwipsRect LogRect{120, 2640, 6735, 2415};

struct Rgb
{
    int red;
    int green;
    int blue;
};

// The form's own fills, whatever the desktop's colour scheme.
inline constexpr Rgb FormFill{192, 192, 255};
inline constexpr Rgb LabelFill{255, 192, 128};
inline constexpr Rgb OptionFill{128, 128, 255};
inline constexpr Rgb RestartFill{255, 0, 0};
// The border of the list and the log, and its colour while one of them has
// the keys: the learner sees which of the two takes them.
inline constexpr Rgb BoxBorder{160, 160, 160};
inline constexpr Rgb FocusBorder{32, 32, 112};

inline constexpr std::string_view FontFamily = "Times New Roman";
// Times New Roman's metrics and Cyrillic letters, where it is missing.
inline constexpr std::string_view StandInFontFamily = "Liberation Serif";
inline constexpr double FontPoints = 12.0;

inline constexpr std::u16string_view WindowCaption = u"https://www.example.org Тесирона";
inline constexpr std::u16string_view TitleText = u"Тембрела";
inline constexpr std::u16string_view FrameText = u"Вид певчески глас";
inline constexpr std::u16string_view HeadingText = u"Име на изпълнител";
// Names for screen readers: the log has no visible label of its own, and
// the caption's web address is noise when spoken.
inline constexpr std::u16string_view LogName = u"Условие и отговори";
inline constexpr std::u16string_view WindowName = u"Тесирона";
// Heads the message a run-time error ends the program with.
inline constexpr std::u16string_view RunTimeErrorText = u"Грешка при изпълнение: ";

} // namespace form
