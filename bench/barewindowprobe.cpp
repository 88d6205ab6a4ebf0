// The bare window's start-up, ended like the program's start-up probe.
#include "barewindow.h"
#include "firstframeexit.h"

#include <QApplication>

Q_COREAPP_STARTUP_FUNCTION(exitAfterFirstFrame)

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    BareWindow window(quiz::standardCatalogue());
    window.show();
    return QApplication::exec();
}
