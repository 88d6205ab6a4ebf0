// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// Speaks news that appears away from the keyboard focus, such as a verdict
// written into the log while the learner is in the performer list. It is an
// invisible widget with the notification role: screen readers on Linux read
// out a notification as it is shown, wherever the focus is.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &news);
};
