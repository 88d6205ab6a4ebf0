// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playcatalogues.h"

#include <cstdint>
#include <optional>
#include <random>
#include <string>

namespace playcatalogues {

namespace {

std::u16string number(int n)
{
    std::u16string text;
    for (const char c : std::to_string(n))
        text += static_cast<char16_t>(c);
    return text;
}

struct OddCode
{
    const char16_t *text;
    std::optional<int> kind;
};

// Each meaning worked out by hand: leading number read, blanks skipped
// anywhere, then rounded to 16 bits with halves to the even neighbour.
// A grid, which the formatter would turn into one long column.
// clang-format off
const OddCode oddCodes[] = {
    {u"0", 0},          {u"1", 1},         {u"2", 2},           {u"3", 3},
    {u"", 0},           {u"х", 0},         {u" 3", 3},          {u"3 ", 3},
    {u"2.5", 2},        {u"1.5", 2},       {u"3.5", 4},         {u"0.49", 0},
    {u"-1", -1},        {u"+2", 2},        {u"3 1", 31},        {u"0.3E1", 3},
    {u"2D0", 2},        {u"1x", 1},        {u"99999", std::nullopt},
    {u"32767", 32767},  {u"-32768.5", -32768},                  {u"1e999", std::nullopt},
    {u"\t\n2", 2},      {u"٣", 0},         {u"00003", 3},       {u".", 0},
};
// clang-format on

} // namespace

std::vector<ModelRow> standard()
{
    // Row for row from the catalogue table: 3 tenor, 2 soprano, 0 bass,
    // 1 mezzo-soprano.
    const std::u16string kinds = u"3230231133322200323031";
    const quiz::Catalogue &catalogue = quiz::standardCatalogue();
    std::vector<ModelRow> rows;
    for (std::size_t r = 0; r < catalogue.names().size(); ++r)
        rows.push_back({catalogue.names()[r], catalogue.codes()[r], kinds.at(r) - u'0'});
    return rows;
}

std::vector<ModelRow> odd(std::uint64_t seed, int count)
{
    std::mt19937_64 random(seed);
    std::vector<ModelRow> rows;
    for (int r = 0; r < count; ++r) {
        const OddCode &code = oddCodes[random() % std::size(oddCodes)];
        // Some names end in a blank, which must survive into the verdict.
        std::u16string name = u"Певец Номер " + number(r + 1) + (random() % 3 == 0 ? u" " : u"");
        rows.push_back({name, code.text, code.kind});
    }
    return rows;
}

std::vector<ModelRow> numbered(int count)
{
    std::vector<ModelRow> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r)
        rows.push_back({u"Изпълнител " + number(r + 1), number(r % 4), r % 4});
    return rows;
}

std::vector<ModelRow> ofKind(std::string_view kind, std::uint64_t seed, int oddRows)
{
    if (kind == "standard")
        return standard();
    if (kind == "empty")
        return {};
    if (kind == "one_row")
        return numbered(1);
    return odd(seed, 1 + int(seed % std::uint64_t(oddRows)));
}

quiz::Catalogue toCatalogue(const std::vector<ModelRow> &rows)
{
    std::vector<std::u16string> names;
    std::vector<std::u16string> codes;
    for (const ModelRow &row : rows) {
        names.push_back(row.name);
        codes.push_back(row.code);
    }
    return quiz::Catalogue(std::move(names), std::move(codes));
}

} // namespace playcatalogues
