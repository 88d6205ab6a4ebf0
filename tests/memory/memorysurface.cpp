// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "memorysurface.h"

#include "runtimeerror.h"
#include "statement.h"
#include "tembrela.h"

#include <cstdint>

namespace quiz {

namespace {

std::vector<std::u16string> voiceCaptions()
{
    return {VoiceCaptions.begin(), VoiceCaptions.end()};
}

} // namespace

MemorySurface::MemorySurface(const Catalogue &catalogue)
    : m_lists{MemoryListBox("List1(0)"), MemoryListBox("List1(1)"), MemoryListBox("List1(2)"),
              MemoryListBox("List1(3)")}
    , m_options(voiceCaptions())
    , m_log(exerciseStatement(catalogue))
{
    for (const std::u16string &name : catalogue.names())
        m_lists[2].AddItem(name);
    for (const std::u16string &code : catalogue.codes())
        m_lists[3].AddItem(code);
}

ListBox &MemorySurface::List1(std::int16_t index)
{
    return m_lists[checkControl("List1", index, m_lists.size())];
}

OptionButton &MemorySurface::Option1(std::int16_t index)
{
    return m_options.button(index);
}

TextBox &MemorySurface::Text1(std::int16_t index)
{
    checkControl("Text1", index, 1);
    return m_log;
}

void MemorySurface::attach(Tembrela &form, bool nestedEvents)
{
    m_form = &form;
    for (std::size_t i = 0; i < m_lists.size(); ++i) {
        const auto index = static_cast<std::int16_t>(i);
        m_lists[i].setSelectionListener([&form, index] { form.List1_Click(index); }, nestedEvents);
    }
    m_options.setClickListener([&form](std::int16_t index) { form.Option1_Click(index); });
}

void MemorySurface::userChooseOption(std::int16_t index)
{
    m_options.userChoose(index);
}

void MemorySurface::userSelectPerformer(std::int16_t row)
{
    m_lists[0].userSelect(row);
}

void MemorySurface::userPressRestart()
{
    if (m_form)
        m_form->Command1_Click(0);
}

const MemoryListBox &MemorySurface::list(std::int16_t index) const
{
    return m_lists.at(static_cast<std::size_t>(index));
}

} // namespace quiz
