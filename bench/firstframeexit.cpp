// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "firstframeexit.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

void exitAfterFirstFrame()
{
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new FirstFrameExit(app));
}

bool FirstFrameExit::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_painted && event->type() == QEvent::Paint && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->isWindow()) {
        m_painted = true;
        // The window's paint event opens the frame: its children are drawn
        // and the frame flushed to the screen before queued calls run.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
    return false;
}
