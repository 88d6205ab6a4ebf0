// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quizmodel.h"

#include <array>
#include <stdexcept>

namespace {

const std::u16string crLf = u"\r\n";

} // namespace

QuizModel::QuizModel(std::vector<ModelRow> catalogue, std::u16string statement)
    : m_catalogue(std::move(catalogue))
    , m_log(std::move(statement))
{
    newGame();
}

const std::u16string &QuizModel::caption(int voice)
{
    static const std::array<std::u16string, 4> captions{u"бас", u"мецосопран", u"сопран", u"тенор"};
    return captions.at(static_cast<std::size_t>(voice));
}

void QuizModel::newGame()
{
    m_rows = m_catalogue;
    m_voiceChosen = false;
    m_logEmptied = false;
    m_voice = -1;
    m_shownVoice = -1;
}

void QuizModel::chooseVoice(int voice)
{
    caption(voice); // an option that does not exist is the driver's fault
    m_voiceChosen = true;
    m_voice = voice;
    m_shownVoice = voice;
    if (!m_logEmptied) {
        m_logEmptied = true;
        m_log.clear();
    }
}

void QuizModel::pickRow(int row)
{
    if (row < 0 || row >= rowCount())
        throw std::out_of_range("the driver picked a row the game does not have");
    if (!m_voiceChosen)
        return;
    const ModelRow &picked = m_rows[static_cast<std::size_t>(row)];
    const bool right = picked.kind == m_voice;
    // The newest verdict goes on top, and each answer also leaves one CR LF
    // behind at the end of what was there.
    m_log = (right ? u"Вярно " : u"Невярно ") + caption(m_voice) + u": " + picked.name + crLf
            + m_log + crLf;
    m_rows.erase(m_rows.begin() + row);
    m_voiceChosen = false;
    m_shownVoice = -1;
}

void QuizModel::restart()
{
    newGame();
    m_log = u"Нов избор";
}

std::vector<std::u16string> QuizModel::names() const
{
    std::vector<std::u16string> names;
    for (const ModelRow &row : m_rows)
        names.push_back(row.name);
    return names;
}

std::vector<std::u16string> QuizModel::codes() const
{
    std::vector<std::u16string> codes;
    for (const ModelRow &row : m_rows)
        codes.push_back(row.code);
    return codes;
}
