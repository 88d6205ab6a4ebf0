// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// The bare window's start-up, ended like the program's start-up probe. It
// takes the form's font and style as the program does: Qt's default style
// differs from one system to the next (Windows' own on Windows), and what
// it costs is no part of the quiz's.
#include "appearance.h"
#include "barewindow.h"
#include "firstframeexit.h"

#include <QApplication>

Q_COREAPP_STARTUP_FUNCTION(exitAfterFirstFrame)

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    applyFormAppearance();
    BareWindow window(quiz::standardCatalogue());
    window.show();
    return QApplication::exec();
}
