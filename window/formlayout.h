// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "formdefinition.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The one mapping from the form's twips to screen pixels.
namespace formlayout {

// Edges are mapped, not sizes, so controls that touch in twips still touch
// on screen at any scale.
QRect toPixels(form::TwipsRect rect, qreal scale = 1.0, QPoint origin = {});
QSize formPixelSize(qreal scale = 1.0);

} // namespace formlayout
