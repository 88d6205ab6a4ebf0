// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "catalogue.h"

#include <stdexcept>
#include <string>

namespace quiz {

namespace {

std::vector<std::u16string> column(const std::vector<PerformerRow> &rows,
                                   std::u16string PerformerRow::*field)
{
    std::vector<std::u16string> texts;
    texts.reserve(rows.size());
    for (const PerformerRow &row : rows)
        texts.push_back(row.*field);
    return texts;
}

} // namespace

Catalogue::Catalogue(std::vector<std::u16string> names, std::vector<std::u16string> codes)
    : m_names(std::move(names))
    , m_codes(std::move(codes))
{
    if (m_names.size() != m_codes.size())
        throw std::invalid_argument("catalogue refused: " + std::to_string(m_names.size())
                                    + " names but " + std::to_string(m_codes.size())
                                    + " voice codes; the columns must pair row for row");
    if (m_names.size() > MaxRows)
        throw std::length_error("catalogue refused: " + std::to_string(m_names.size())
                                + " rows, more than the " + std::to_string(MaxRows)
                                + " a 16-bit row number can address");
}

Catalogue::Catalogue(const std::vector<PerformerRow> &rows)
    : Catalogue(column(rows, &PerformerRow::name), column(rows, &PerformerRow::code))
{
}

const Catalogue &standardCatalogue()
{
    // Rows in code-point order of the names; the blank after Карузо and
    // Чанев belongs to the stored text. One performer a line, as the
    // catalogue is read: the formatter would pack them.
    // clang-format off
    static const Catalogue catalogue({
        {u"Алфредо Краус", u"3"},
        {u"Анна Нетребко", u"2"},
        {u"Бениамино Джили", u"3"},
        {u"Борис Христов", u"0"},
        {u"Гена Димитрова", u"2"},
        {u"Димитър Узунов", u"3"},
        {u"Елена Образцова", u"1"},
        {u"Елина Гаранча", u"1"},
        {u"Енрико Карузо ", u"3"},
        {u"Камен Чанев ", u"3"},
        {u"Лучано Павароти", u"3"},
        {u"Мария Калас", u"2"},
        {u"Мирела Френи", u"2"},
        {u"Монсерат Кабайе", u"2"},
        {u"Никола Гюзелев", u"0"},
        {u"Николай Гяуров", u"0"},
        {u"Роландо Вилясон", u"3"},
        {u"Соня Йончева", u"2"},
        {u"Франко Корели", u"3"},
        {u"Фьодор Шаляпин", u"0"},
        {u"Хосе Карерас", u"3"},
        {u"Чечилия Бартоли", u"1"},
    });
    // clang-format on
    return catalogue;
}

} // namespace quiz
