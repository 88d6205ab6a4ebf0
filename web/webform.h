// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "catalogue.h"
#include "controlsurface.h"
#include "domlistbox.h"
#include "domoptionbutton.h"
#include "domtextbox.h"
#include "liveregion.h"
#include "hiddenlists.h"
#include "tembrela.h"

#include <emscripten/val.h>

#include <array>
#include <cstdint>
#include <string>

// The quiz's one form on a web page: real HTML controls for the visible
// controls, in-memory lists for the hidden ones, and the rules bound to the
// page's events. The page's style sheet places the controls from the
// geometry, fills and font this form puts on each of them.
class WebForm : public quiz::ControlSurface
{
public:
    explicit WebForm(const quiz::Catalogue &catalogue = quiz::standardCatalogue());

    // Runs the load event, once, before the learner can use the form.
    void raiseLoad();

    quiz::ListBox &List1(std::int16_t index) override;
    quiz::OptionButton &Option1(std::int16_t index) override;
    quiz::TextBox &Text1(std::int16_t index) override;

    // The page's events.
    void optionChanged(int index);
    void restartPressed();
    void keyPressed(const emscripten::val &event);
    void performersClicked(const emscripten::val &event);
    void performersKeyPressed(const emscripten::val &event);
    void frameDue();

private:
    void eventDone();
    bool stepRoundTheVoices(const emscripten::val &event, const std::string &key);

    emscripten::val m_form;
    DomTextBox m_log;
    DomListBox m_performers;
    emscripten::val m_restart;
    std::array<DomOptionButton, quiz::VoiceCount> m_options;
    LiveRegion m_news;
    quiz::HiddenLists m_hidden;
    quiz::Tembrela m_rules{*this};
};
