// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quiz {

using VoiceKind = std::int16_t;

inline constexpr VoiceKind LastVoiceKind = 3;

// Ordered by the Bulgarian alphabet, so the index doubles as the voice code.
inline constexpr std::array<std::u16string_view, LastVoiceKind + 1> VoiceCaptions{
    u"бас", u"мецосопран", u"сопран", u"тенор"};
// One option button a voice, in every front-end.
inline constexpr std::size_t VoiceCount = VoiceCaptions.size();

struct PerformerRow
{
    std::u16string name;
    std::u16string code; // the VoiceKind as decimal text
};

// Two parallel text columns, as the hidden master lists hold them. Refuses
// at construction what the lists could not carry: columns of unequal length,
// or more rows than a 16-bit row number addresses.
class Catalogue
{
public:
    static constexpr std::size_t MaxRows = 32767;

    Catalogue(std::vector<std::u16string> names, std::vector<std::u16string> codes);
    explicit Catalogue(const std::vector<PerformerRow> &rows);

    std::int16_t rowCount() const { return static_cast<std::int16_t>(m_names.size()); }
    const std::vector<std::u16string> &names() const { return m_names; }
    const std::vector<std::u16string> &codes() const { return m_codes; }

private:
    std::vector<std::u16string> m_names;
    std::vector<std::u16string> m_codes;
};

// The 22 performers the quiz asks about.
const Catalogue &standardCatalogue();

} // namespace quiz
