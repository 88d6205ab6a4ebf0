// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"
#include "controlsurface.h"
#include "hiddenlists.h"
#include "tembrela.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>

class QLabel;
class QPushButton;
class Announcer;
class LogBox;
class PerformerList;
class ScaledStyle;
class VoiceFrame;
class VoiceOption;

// The quiz's one window: real widgets for the visible controls, in-memory
// lists for the hidden ones, and the rules bound to the widgets' events.
class TembrelaWindow : public QWidget, public quiz::ControlSurface
{
    Q_OBJECT

public:
    // The catalogue is the quiz's own unless a test or a benchmark brings
    // another; the window copies it into its master lists.
    explicit TembrelaWindow(const quiz::Catalogue &catalogue = quiz::standardCatalogue(),
                            QWidget *parent = nullptr);
    ~TembrelaWindow() override;

    // Runs the load event; the window calls it once, before it is shown.
    void raiseLoad();

    quiz::ListBox &List1(std::int16_t index) override;
    quiz::OptionButton &Option1(std::int16_t index) override;
    quiz::TextBox &Text1(std::int16_t index) override;

    const quiz::Tembrela &form() const { return m_form; }
    PerformerList *performerList() const { return m_performers; }
    VoiceOption *voiceOption(int index) const { return m_options.at(index); }
    QPushButton *restartButton() const { return m_restart; }
    LogBox *logBox() const { return m_log; }
    QLabel *titleLabel() const { return m_title; }
    QLabel *performerHeading() const { return m_heading; }
    VoiceFrame *voiceFrame() const { return m_frame; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void createControls(const quiz::Catalogue &catalogue);
    void bindEvents();
    void placeControls();
    void announceChoice(int index);
    void announceLog();

    QLabel *m_title = nullptr;
    VoiceFrame *m_frame = nullptr;
    std::array<VoiceOption *, quiz::VoiceCount> m_options{};
    QLabel *m_heading = nullptr;
    PerformerList *m_performers = nullptr;
    QPushButton *m_restart = nullptr;
    LogBox *m_log = nullptr;
    ScaledStyle *m_style = nullptr;
    Announcer *m_announcer = nullptr;
    std::u16string m_shownLog;
    bool m_placed = false;
    quiz::HiddenLists m_hidden;
    quiz::Tembrela m_form{*this};
};
