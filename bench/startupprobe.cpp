// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's own start-up, ended once the first frame is on screen.
#include "firstframeexit.h"
#include "startup.h"

#include <QCoreApplication>

Q_COREAPP_STARTUP_FUNCTION(exitAfterFirstFrame)

int main(int argc, char *argv[])
{
    return runTembrela(argc, argv);
}
