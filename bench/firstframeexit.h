// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

// Ends the application as soon as its first top-level frame has been
// painted, so a start-up probe measures the time to the first frame the
// user could see, the same way for every window it starts.
class FirstFrameExit : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_painted = false;
};

// For Q_COREAPP_STARTUP_FUNCTION, which runs it as soon as the application
// object exists; the filter lives as that object's child.
void exitAfterFirstFrame();
