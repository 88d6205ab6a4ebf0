#pragma once

#include <QFont>

// Makes the application look the same on every system, so the form's
// colours come out as designed: called once, after the application object
// exists and before the window is created.
void applyFormAppearance();

inline constexpr qreal FormFontPoints = 12.0;

// The form's font, which every control uses.
QFont formFont();
