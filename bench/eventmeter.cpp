// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "eventmeter.h"

#include <QCoreApplication>
#include <QEvent>

#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>

EventMeter::EventMeter()
{
    QCoreApplication::instance()->installEventFilter(this);
}

EventMeter::~EventMeter()
{
    QCoreApplication::instance()->removeEventFilter(this);
}

bool EventMeter::eventFilter(QObject *, QEvent *event)
{
    ++m_delivered;
    if (event->type() == QEvent::Paint)
        ++m_paints;
    return false;
}

namespace {

double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1000.0 + double(now.tv_nsec) / 1e6;
}

} // namespace

void EventMeter::runUntilIdle()
{
    // Layouts and repaints are posted or timed for later; one pass may
    // start work the next one delivers.
    long before = 0;
    do {
        before = m_delivered;
        QCoreApplication::processEvents();
    } while (m_delivered != before);
}

double EventMeter::measure(const char *what, const std::function<void()> &action)
{
    const long paintsBefore = m_paints;
    const double cpuStart = threadCpuMs();
    const auto start = std::chrono::steady_clock::now();
    action();
    runUntilIdle();
    const auto end = std::chrono::steady_clock::now();
    m_lastCpuMs = threadCpuMs() - cpuStart;
    if (m_paints == paintsBefore) {
        std::fprintf(stderr, "%s: nothing was repainted\n", what);
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void EventMeter::settle(const std::function<void()> &action)
{
    action();
    runUntilIdle();
}
