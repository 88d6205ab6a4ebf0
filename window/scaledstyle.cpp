// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scaledstyle.h"

#include <QtMath>

ScaledStyle::ScaledStyle(QStyle *base)
    : QProxyStyle(base)
{
}

void ScaledStyle::setScale(qreal scale)
{
    m_scale = scale;
}

int ScaledStyle::pixelMetric(PixelMetric metric, const QStyleOption *option,
                             const QWidget *widget) const
{
    const int size = QProxyStyle::pixelMetric(metric, option, widget);
    switch (metric) {
    case PM_ExclusiveIndicatorWidth:
    case PM_ExclusiveIndicatorHeight:
    case PM_IndicatorWidth:
    case PM_IndicatorHeight:
    case PM_RadioButtonLabelSpacing:
    case PM_ScrollBarExtent:
    case PM_ScrollBarSliderMin:
    case PM_DefaultFrameWidth:
    case PM_FocusFrameHMargin:
    case PM_FocusFrameVMargin:
    case PM_ButtonMargin:
        return qRound(size * m_scale);
    default:
        return size;
    }
}
