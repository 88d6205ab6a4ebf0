// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>

// Times one user event from its delivery until the application is idle
// again, so the handler, the layout and the repaint it causes all count.
class EventMeter : public QObject
{
    Q_OBJECT

public:
    EventMeter();
    ~EventMeter() override;

    // Runs the action, then the event loop until a pass delivers nothing;
    // returns the milliseconds taken. An action that repaints nothing was
    // not measured as asked, and ends the benchmark.
    double measure(const char *what, const std::function<void()> &action);
    // The main thread's CPU time in the last measure(): what the event cost
    // whether or not the busy machine let the thread run at once.
    double lastCpuMs() const { return m_lastCpuMs; }

    // The same, untimed: to bring the window to the state the next
    // measured event needs.
    void settle(const std::function<void()> &action);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void runUntilIdle();

    long m_delivered = 0;
    long m_paints = 0;
    double m_lastCpuMs = 0;
};
