// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controlsurface.h"

#include <cstdint>

namespace quiz {

// The quiz rules: the window's event handlers and the state they keep
// between events. Everything else lives in the controls.
class Tembrela
{
public:
    explicit Tembrela(ControlSurface &controls);

    void Form_Load();
    void Option1_Click(std::int16_t Index);
    void List1_Click(std::int16_t Index);
    void Command1_Click(std::int16_t Index);

    bool voiceChosen() const { return VoiceChosen; }
    std::int16_t chosenVoice() const { return ChosenVoice; }
    std::int16_t statementCleared() const { return StatementCleared; }
    std::int16_t lastVoiceIndex() const { return LastVoiceIndex; }

private:
    void ResetQuiz();

    ControlSurface &m_controls;
    bool VoiceChosen = false;
    std::int16_t ChosenVoice = 0;
    std::int16_t StatementCleared = 0; // 0 false, -1 true
    std::int16_t LastVoiceIndex = 0;
};

} // namespace quiz
