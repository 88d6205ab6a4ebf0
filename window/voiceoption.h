// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "optionbutton.h"

#include <QRadioButton>

// One voice kind: a radio button whose whole coloured bar takes the click,
// which the rules can un-choose although it belongs to an exclusive group,
// and from which every arrow key moves to the next voice round the group
// and chooses it.
class VoiceOption : public QRadioButton, public quiz::OptionButton
{
    Q_OBJECT

public:
    VoiceOption(const QString &caption, QWidget *parent);

    bool Value() const override;
    void SetValue(bool chosen) override;
    std::u16string Caption() const override;

protected:
    bool hitButton(const QPoint &pos) const override;
    void keyPressEvent(QKeyEvent *event) override;
};
