// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "voiceoption.h"

#include <QKeyEvent>

VoiceOption::VoiceOption(const QString &caption, QWidget *parent)
    : QRadioButton(caption, parent)
{
    setAutoFillBackground(true);
}

bool VoiceOption::Value() const
{
    return isChecked();
}

void VoiceOption::SetValue(bool chosen)
{
    if (chosen == isChecked())
        return;
    // An exclusive group refuses to lose its chosen button; step out of it
    // for the change. setChecked emits no clicked(), so no choice is reported.
    const bool exclusive = autoExclusive();
    setAutoExclusive(false);
    setChecked(chosen);
    setAutoExclusive(exclusive);
}

std::u16string VoiceOption::Caption() const
{
    return text().toStdU16String();
}

bool VoiceOption::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

void VoiceOption::keyPressEvent(QKeyEvent *event)
{
    // The toolkit's own steps follow where the buttons sit, stop at the
    // ends and choose only when leaving the chosen button; after an answer
    // none is chosen, and the arrows would then merely move the focus.
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Left:
        step = -1;
        break;
    case Qt::Key_Down:
    case Qt::Key_Right:
        step = 1;
        break;
    default:
        QRadioButton::keyPressEvent(event);
        return;
    }
    const QList<VoiceOption *> group =
        parentWidget()->findChildren<VoiceOption *>(Qt::FindDirectChildrenOnly);
    const qsizetype next = (group.indexOf(this) + step + group.size()) % group.size();
    group[next]->setFocus(Qt::TabFocusReason);
    group[next]->click();
    event->accept();
}
