#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

// The window's layout in twips, the unit the form is designed in, and the
// one mapping from twips to screen pixels.
namespace formlayout {

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
inline constexpr std::array<TwipsRect, 4> VoiceOptionRects{{
    {120, 300, 1935, 300},
    {120, 600, 1935, 300},
    {120, 900, 1935, 300},
    {120, 1200, 1935, 300},
}};
inline constexpr TwipsRect HeadingRect{2760, 480, 3975, 375};
inline constexpr TwipsRect PerformersRect{2760, 840, 3975, 1485};
inline constexpr TwipsRect RestartRect{480, 2160, 1695, 375};
inline constexpr TwipsRect LogRect{120, 2640, 6735, 2415};

// Edges are mapped, not sizes, so controls that touch in twips still touch
// on screen at any scale.
QRect toPixels(const TwipsRect &rect, qreal scale = 1.0, QPoint origin = {});
QSize formPixelSize(qreal scale = 1.0);

} // namespace formlayout
