#include "appearance.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyleFactory>

void applyFormAppearance()
{
    // Native styles draw buttons and options from theme images and ignore
    // the palette; Fusion paints with it.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // As the application's font, so that no control is first made, measured
    // and laid out in the system font only to be redone in the form's.
    QApplication::setFont(formFont());
}

QFont formFont()
{
    // Liberation Serif has Times New Roman's metrics and Cyrillic letters.
    // One family, chosen here once: the toolkit would otherwise look up
    // fallbacks for a missing first family each time it loads the font.
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Times New Roman"))
                                      ? QStringLiteral("Times New Roman")
                                      : QStringLiteral("Liberation Serif");
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(FormFontPoints);
    return font;
}
