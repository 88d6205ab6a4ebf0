// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "voiceframe.h"

#include <QPainter>

VoiceFrame::VoiceFrame(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
{
}

void VoiceFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect outline = rect().adjusted(0, metrics.height() / 2, -2, -2);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(outline);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(outline.translated(1, 1));

    const int indent = metrics.averageCharWidth();
    const QRect heading(indent, 0, metrics.horizontalAdvance(title()) + indent, metrics.height());
    painter.fillRect(heading, palette().color(backgroundRole()));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(heading, Qt::AlignCenter, title());
}
