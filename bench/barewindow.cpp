// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "barewindow.h"

#include "formlayout.h"
#include "formtexts.h"
#include "statement.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

BareWindow::BareWindow(const quiz::Catalogue &catalogue, QWidget *parent)
    : QWidget(parent)
{
    using namespace form;
    const auto place = [](QWidget *control, const TwipsRect &rect) {
        control->setGeometry(formlayout::toPixels(rect));
    };
    const auto qs = [](std::u16string_view text) {
        return QString::fromStdU16String(std::u16string(text));
    };
    place(new QLabel(qs(TitleText), this), TitleRect);
    auto *frame = new QGroupBox(qs(FrameText), this);
    place(frame, VoiceFrameRect);
    for (std::size_t k = 0; k < m_options.size(); ++k) {
        m_options[k] = new QRadioButton(qs(quiz::VoiceCaptions[k]), frame);
        place(m_options[k], VoiceOptionRects[k]);
    }
    place(new QLabel(qs(HeadingText), this), HeadingRect);
    m_list = new QListWidget(this);
    for (const std::u16string &name : catalogue.names())
        m_list->addItem(QString::fromStdU16String(name));
    place(m_list, PerformersRect);
    m_button = new QPushButton(qs(quiz::RestartCaption), this);
    place(m_button, RestartRect);
    m_log = new QPlainTextEdit(this);
    m_log->setPlainText(QString::fromStdU16String(quiz::exerciseStatement(catalogue)));
    place(m_log, LogRect);
    resize(formlayout::formPixelSize());
}
