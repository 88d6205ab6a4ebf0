// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "textbox.h"

#include <QPlainTextEdit>

// The log. The widget keeps line breaks its own way, so the box holds the
// exact text last written and shows each CR LF as a line break.
class LogBox : public QPlainTextEdit, public quiz::TextBox
{
    Q_OBJECT

public:
    LogBox(const std::u16string &text, QWidget *parent);

    std::u16string Text() const override;
    void SetText(const std::u16string &text) override;

Q_SIGNALS:
    void written();

private:
    std::u16string m_text;
};
