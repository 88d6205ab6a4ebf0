// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appearance.h"

#include <QApplication>
#include <QFontDatabase>
#include <QStyleFactory>
#include <QWidget>

#include <cmath>

namespace {

// Relative luminance as WCAG 2 defines it.
qreal luminance(const QColor &colour)
{
    const auto linear = [](qreal c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF())
           + 0.0722 * linear(colour.blueF());
}

constexpr qreal ReadableContrast = 4.5;

} // namespace

qreal contrastRatio(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a), lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

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
    static const QString family = [] {
        const QString asked = QString::fromLatin1(form::FontFamily);
        return QFontDatabase::hasFamily(asked) ? asked
                                               : QString::fromLatin1(form::StandInFontFamily);
    }();
    QFont font(family);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(form::FontPoints);
    return font;
}

QString focusBorderSheet(const QString &widgetClass, int border)
{
    // The style marks no focus on a list or a text box; a keyboard user needs
    // to see which of the two takes the keys.
    return QStringLiteral("%1 { border: %2px solid %3; }"
                          "%1:focus { border: %2px solid %4; }")
        .arg(widgetClass)
        .arg(border)
        .arg(toColour(form::BoxBorder).name(), toColour(form::FocusBorder).name());
}

QString restartSheet(int border)
{
    // A style sheet with a border is drawn flat in the colour asked for; a
    // background alone would be blended into the style's gradient.
    return QStringLiteral("QPushButton { background-color: %2; border: %1px outset %3; }"
                          "QPushButton:pressed { border-style: inset; }"
                          "QPushButton:focus { border: %1px solid black; }")
        .arg(border)
        .arg(toColour(form::RestartFill).name(), toColour(form::RestartFill).lighter(140).name());
}

void fillBackground(QWidget *control, const QColor &fill)
{
    QPalette palette = control->palette();
    palette.setColor(control->backgroundRole(), fill);
    control->setPalette(palette);
    control->setAutoFillBackground(true);
    keepTextReadable(control, fill);
}

void keepTextReadable(QWidget *control, const QColor &fill)
{
    QPalette palette = control->palette();
    const QColor system = palette.color(control->foregroundRole());
    // Set even when unchanged: a fixed colour, so that a scheme switched
    // while the quiz runs cannot bring the unreadable one back.
    palette.setColor(control->foregroundRole(),
                     contrastRatio(system, fill) >= ReadableContrast ? system : QColor(Qt::black));
    control->setPalette(palette);
}
