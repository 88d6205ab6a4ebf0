// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>

// The group frame of the voice options, drawn as an etched outline with
// the heading set into its top edge. The style's own group box tints its
// inside, and the form's colour must show there unchanged.
class VoiceFrame : public QGroupBox
{
    Q_OBJECT

public:
    VoiceFrame(const QString &title, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
