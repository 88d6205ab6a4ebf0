// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the quiz should show, kept apart from the quiz itself: written from
// the two-state game table, with no code shared, so a fault in the rules or
// a provider cannot hide by being copied into the check.
struct ModelRow
{
    std::u16string name;
    std::u16string code;
    // What the code text means, worked out by hand when the row was written;
    // nothing for a code too large to be any voice.
    std::optional<int> kind;
};

class QuizModel
{
public:
    QuizModel(std::vector<ModelRow> catalogue, std::u16string statement);

    // The user's acts, in quiz terms; each matches one row of the table.
    void chooseVoice(int voice);
    void pickRow(int row);
    void restart();

    const std::u16string &log() const { return m_log; }
    std::vector<std::u16string> names() const;
    std::vector<std::u16string> codes() const;
    int shownVoice() const { return m_shownVoice; }
    bool voiceChosen() const { return m_voiceChosen; }
    int rowCount() const { return static_cast<int>(m_rows.size()); }

    static const std::u16string &caption(int voice);

private:
    void newGame();

    std::vector<ModelRow> m_catalogue;
    std::vector<ModelRow> m_rows;
    std::u16string m_log;
    bool m_voiceChosen = false;
    bool m_logEmptied = false;
    int m_voice = -1;
    int m_shownVoice = -1;
};
