// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include "appearance.h"
#include "formdefinition.h"
#include "runtimeerror.h"
#include "tembrelawindow.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool startingUp = true;
QtMessageHandler defaultHandler = nullptr;

// Without a display the toolkit gives up with a fatal error and a core
// dump; say plainly what is missing instead.
void reportStartFailure(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (startingUp && type == QtFatalMsg) {
        std::fprintf(stderr, "Tembrela needs a graphical display and could not open one (%s)\n",
                     qPrintable(message.section(u'\n', 0, 0)));
        std::fflush(stderr);
        std::_Exit(2);
    }
    defaultHandler(type, context, message);
}

void showRunTimeError(std::string_view message)
{
    QMessageBox::critical(nullptr, QString::fromStdU16String(std::u16string(form::TitleText)),
                          QString::fromStdU16String(std::u16string(form::RunTimeErrorText))
                              + QString::fromUtf8(message.data(), qsizetype(message.size())));
}

} // namespace

int runTembrela(int argc, char *argv[])
{
    defaultHandler = qInstallMessageHandler(reportStartFailure);
    // The quiz takes no command line, so none of the toolkit's options
    // (-style, -reverse, ...) reach it either.
    int toolkitArgc = argc > 0 ? 1 : 0;
    // Docks and task switchers tie the window to its menu entry by these:
    // Wayland by the entry's name, X11 by the window class, which the entry
    // names as StartupWMClass. Fixed here, as the program file's name may
    // differ.
    QApplication::setApplicationName(QStringLiteral("tembrela"));
    QApplication::setDesktopFileName(QStringLiteral(TEMBRELA_APP_ID));
    const QApplication app(toolkitArgc, argv);
    startingUp = false;
    applyFormAppearance();
    quiz::setRunTimeErrorReporter(showRunTimeError);

    TembrelaWindow window;
    window.raiseLoad();
    window.show();
    const int code = QApplication::exec();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    // Qt 6.4's Wayland client may wait for ever, once the window has gone,
    // on an event thread stuck in wl_display_read_events, as seen on a busy
    // machine. The quiz keeps nothing, so it ends here rather than leave a
    // hidden process behind.
    if (QGuiApplication::platformName() == u"wayland") {
        std::fflush(nullptr);
        std::_Exit(code);
    }
#endif
    return code;
}
