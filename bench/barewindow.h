// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"

#include <QWidget>

#include <array>

class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

// The toolkit's baseline: the form's controls as plain Qt widgets of the
// same sizes, at the same places, with the same texts, and nothing of the
// quiz's own look or rules. The benchmarks set it beside the program.
class BareWindow : public QWidget
{
    Q_OBJECT

public:
    explicit BareWindow(const quiz::Catalogue &catalogue, QWidget *parent = nullptr);

    QRadioButton *option(int index) const { return m_options.at(index); }
    QListWidget *list() const { return m_list; }
    QPushButton *button() const { return m_button; }
    QPlainTextEdit *log() const { return m_log; }

private:
    std::array<QRadioButton *, 4> m_options{};
    QListWidget *m_list = nullptr;
    QPushButton *m_button = nullptr;
    QPlainTextEdit *m_log = nullptr;
};
