// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProxyStyle>

// The application's style with its sizes grown by the form's scale, so
// option marks, scroll bars and frames keep their proportion to the text
// when the window is enlarged.
class ScaledStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit ScaledStyle(QStyle *base);

    void setScale(qreal scale);
    qreal scale() const { return m_scale; }

    int pixelMetric(PixelMetric metric, const QStyleOption *option = nullptr,
                    const QWidget *widget = nullptr) const override;

private:
    qreal m_scale = 1.0;
};
