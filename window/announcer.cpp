// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "announcer.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {

QAccessibleInterface *notificationFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("Announcer") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    // Asked for the most derived class first, the factory wins over the
    // toolkit's own interface for a plain widget.
    QAccessible::installFactory(notificationFactory);
    // Nothing to see, as the log shows the same news; and it stays out of
    // the reader's way until there is news to tell.
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::announce(const QString &news)
{
    // A reader speaks a notification when it turns up, so each piece of
    // news is a new appearance, even the same words twice in a row.
    hide();
    setAccessibleName(news);
    show();
#ifdef Q_OS_WIN
    // Qt's UI Automation bridge passes no appearance on, but raises a UI
    // Automation notification event with the text of a text value change.
    // AT-SPI would only warn about a value change from a widget with no value.
    QAccessibleValueChangeEvent event(this, news);
    QAccessible::updateAccessibility(&event);
#endif
}
