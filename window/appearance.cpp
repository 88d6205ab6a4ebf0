#include "appearance.h"

#include <QApplication>
#include <QStyleFactory>

void applyFormAppearance()
{
    // Native styles draw buttons and options from theme images and ignore
    // the palette; Fusion paints with it.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}
