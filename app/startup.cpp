#include "startup.h"

#include "appearance.h"
#include "tembrelawindow.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

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

} // namespace

int runTembrela(int argc, char *argv[])
{
    defaultHandler = qInstallMessageHandler(reportStartFailure);
    QApplication app(argc, argv);
    startingUp = false;
    applyFormAppearance();

    TembrelaWindow window;
    window.raiseLoad();
    window.show();
    return QApplication::exec();
}
