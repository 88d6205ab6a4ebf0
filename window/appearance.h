// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formdefinition.h"

#include <QColor>
#include <QFont>

class QWidget;

// Makes the application look the same on every system, so the form's
// colours come out as designed: called once, after the application object
// exists and before the window is created.
void applyFormAppearance();

// The form's font, which every control uses.
QFont formFont();

inline QColor toColour(form::Rgb rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// Style sheets for the boxes' focus border and the restart button's face,
// with borders of the given width in pixels.
QString focusBorderSheet(const QString &widgetClass, int border);
QString restartSheet(int border);

// The contrast ratio of two colours as WCAG 2 defines it, 1 to 21.
qreal contrastRatio(const QColor &a, const QColor &b);

// Fills the control's background and gives its text a colour readable on
// that fill.
void fillBackground(QWidget *control, const QColor &fill);

// The control's text stays in the desktop's text colour where that stands
// out 4.5:1 from the fill, as on a light desktop; a dark desktop's light
// text would vanish on the form's light fills, so there it turns black.
void keepTextReadable(QWidget *control, const QColor &fill);
