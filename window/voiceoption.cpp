#include "voiceoption.h"

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
