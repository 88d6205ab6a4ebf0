// The toolkit's baseline: a plain Qt Widgets window of the quiz's size with
// a label, a list of 22 rows and a text box, the same texts, and nothing
// of the quiz's own look. It ends like the start-up probe.
#include "catalogue.h"
#include "firstframeexit.h"
#include "formlayout.h"
#include "statement.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>

Q_COREAPP_STARTUP_FUNCTION(exitAfterFirstFrame)

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    const quiz::Catalogue &catalogue = quiz::standardCatalogue();
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Тембрела"), &window));
    auto *list = new QListWidget(&window);
    for (const std::u16string &name : catalogue.names())
        list->addItem(QString::fromStdU16String(name));
    layout->addWidget(list);
    auto *text = new QPlainTextEdit(&window);
    text->setPlainText(QString::fromStdU16String(quiz::exerciseStatement(catalogue)));
    layout->addWidget(text);

    window.resize(formlayout::formPixelSize());
    window.show();
    return QApplication::exec();
}
