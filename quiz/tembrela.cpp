// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tembrela.h"

#include "formtexts.h"
#include "voicecode.h"

#include <cstdint>

namespace quiz {

Tembrela::Tembrela(ControlSurface &controls)
    : m_controls(controls)
{
}

void Tembrela::Form_Load()
{
    LastVoiceIndex = 3;
    ResetQuiz();
}

void Tembrela::ResetQuiz()
{
    VoiceChosen = false;
    StatementCleared = 0;

    ListBox &names = m_controls.List1(0);
    ListBox &codes = m_controls.List1(1);
    names.Clear();
    codes.Clear();
    const ListBox &masterNames = m_controls.List1(2);
    const ListBox &masterCodes = m_controls.List1(3);
    const std::int16_t n = masterNames.ListCount();
    for (std::int16_t i = 0; i < n; ++i) {
        names.AddItem(masterNames.List(i));
        codes.AddItem(masterCodes.List(i));
    }

    for (std::int16_t k = 0; k <= LastVoiceIndex; ++k)
        m_controls.Option1(k).SetValue(false);
    ChosenVoice = -1;
}

void Tembrela::Command1_Click(std::int16_t)
{
    ResetQuiz();
    m_controls.Text1(0).SetText(std::u16string(NewGameNote));
}

void Tembrela::Option1_Click(std::int16_t Index)
{
    VoiceChosen = m_controls.Option1(Index).Value();
    if (VoiceChosen)
        ChosenVoice = Index;
    if (StatementCleared == 0) {
        StatementCleared = -1;
        m_controls.Text1(0).SetText(std::u16string());
    }
}

void Tembrela::List1_Click(std::int16_t Index)
{
    // The hidden lists only echo the rules' own selection changes.
    if (Index > 0)
        return;

    ListBox &names = m_controls.List1(0);
    if (!VoiceChosen) {
        names.SetListIndex(-1);
        return;
    }
    const std::int16_t row = names.ListIndex();
    if (row == -1)
        return;

    ListBox &codes = m_controls.List1(1);
    codes.SetListIndex(row);
    const std::optional<VoiceKind> code = voiceKindFromCode(codes.List(row));

    TextBox &log = m_controls.Text1(0);
    log.SetText(log.Text() + std::u16string(CrLf));

    const std::u16string_view verdict = code == ChosenVoice ? RightVerdict : WrongVerdict;
    std::u16string line(verdict);
    line += m_controls.Option1(ChosenVoice).Caption();
    line += u": ";
    line += names.List(row);
    line += CrLf;
    log.SetText(line + log.Text());

    VoiceChosen = false;
    m_controls.Option1(ChosenVoice).SetValue(false);
    names.RemoveItem(row);
    codes.RemoveItem(row);
    names.SetListIndex(-1);
}

} // namespace quiz
