// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formlayout.h"

#include <QtMath>

namespace formlayout {

namespace {

int toPixel(int twips, qreal scale)
{
    return qRound(twips * scale / form::TwipsPerPixel);
}

} // namespace

QRect toPixels(form::TwipsRect rect, qreal scale, QPoint origin)
{
    const int left = toPixel(rect.left, scale);
    const int top = toPixel(rect.top, scale);
    const int right = toPixel(rect.left + rect.width, scale);
    const int bottom = toPixel(rect.top + rect.height, scale);
    return QRect(origin.x() + left, origin.y() + top, right - left, bottom - top);
}

QSize formPixelSize(qreal scale)
{
    return toPixels(form::FormRect, scale).size();
}

} // namespace formlayout
