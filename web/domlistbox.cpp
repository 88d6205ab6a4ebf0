// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "domlistbox.h"

#include "markup.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>

using emscripten::val;

namespace {

// Letters typed within this time of each other search as one word.
constexpr double TypeAheadMilliseconds = 1000;

bool startsWithIgnoringCase(const std::u16string &name, const std::u16string &letters)
{
    const val lowerName = val(name).call<val>("toLocaleLowerCase", val("bg"));
    const val lowerLetters = val(letters).call<val>("toLocaleLowerCase", val("bg"));
    return lowerName.call<bool>("startsWith", lowerLetters);
}

} // namespace

DomListBox::DomListBox(val element)
    : m_element(std::move(element))
{
}

void DomListBox::Clear()
{
    m_addedRows.clear();
    m_rows.Clear();
    m_element.call<void>("replaceChildren");
    m_element.call<void>("removeAttribute", val("aria-activedescendant"));
    m_cursor = 0;
    // A cleared list box shows its next rows from the first.
    m_scrollToTop = true;
}

void DomListBox::AddItem(const std::u16string &text)
{
    m_rows.AddItem(text);
    const std::string id = "performer-" + std::to_string(m_nextId++);
    m_addedRows += u"<div role=\"option\" aria-selected=\"false\" id=\""
                   + std::u16string(id.begin(), id.end()) + u"\">" + escaped(text) + u"</div>";
}

void DomListBox::showAddedRows()
{
    if (m_addedRows.empty())
        return;
    const bool wasEmpty = m_element["childElementCount"].as<int>() == 0;
    m_element.call<void>("insertAdjacentHTML", val("beforeend"), std::exchange(m_addedRows, {}));
    // The cursor rests on a row from the start: a screen reader names the
    // row under it when the learner enters the list.
    if (wasEmpty)
        moveCursor(0);
}

std::int16_t DomListBox::ListCount() const
{
    return m_rows.ListCount();
}

std::u16string DomListBox::List(std::int16_t row) const
{
    return m_rows.List(row);
}

std::int16_t DomListBox::ListIndex() const
{
    return m_rows.ListIndex();
}

void DomListBox::SetListIndex(std::int16_t row)
{
    showAddedRows();
    const std::int16_t before = m_rows.ListIndex();
    m_rows.SetListIndex(row);
    if (row == before)
        return;
    showSelection(before, false);
    showSelection(row, true);
}

void DomListBox::RemoveItem(std::int16_t row)
{
    showAddedRows();
    const std::int16_t selected = m_rows.ListIndex();
    m_rows.RemoveItem(row);
    rowElement(row).call<void>("remove");
    // A removed selected row hands its selection on, as in memory.
    if (selected == row)
        showSelection(m_rows.ListIndex(), true);
    // The cursor stays on the same row, now the next performer.
    if (m_rows.ListCount() == 0)
        m_element.call<void>("removeAttribute", val("aria-activedescendant"));
    else
        moveCursor(std::min<int>(m_cursor, m_rows.ListCount() - 1));
}

void DomListBox::setPickListener(std::function<void()> listener)
{
    m_rows.setSelectionListener(std::move(listener), false);
}

void DomListBox::clicked(const val &event)
{
    // Only the main button picks, as in any list box.
    if (event["button"].as<int>() != 0)
        return;
    const val row = event["target"].call<val>("closest", val("[role=option]"));
    if (row.isNull())
        return;
    const int index =
        val::global("Array")["prototype"]["indexOf"].call<int>("call", m_element["children"], row);
    if (index < 0)
        return;
    moveCursor(index);
    pick(index);
}

void DomListBox::keyPressed(const val &event)
{
    if (event["altKey"].as<bool>() || event["ctrlKey"].as<bool>() || event["metaKey"].as<bool>())
        return;
    const std::string key = event["key"].as<std::string>();
    const int count = m_rows.ListCount();
    int target = -1;
    if (key == "ArrowDown")
        target = m_cursor + 1;
    else if (key == "ArrowUp")
        target = m_cursor - 1;
    else if (key == "PageDown")
        target = m_cursor + rowsPerPage();
    else if (key == "PageUp")
        target = m_cursor - rowsPerPage();
    else if (key == "Home")
        target = 0;
    else if (key == "End")
        target = count - 1;
    else if (key == " " || key == "Enter") {
        if (count > 0)
            pick(m_cursor);
        event.call<void>("preventDefault");
        return;
    } else if (event["key"]["length"].as<int>() == 1) {
        const double now = event["timeStamp"].as<double>();
        const std::u16string letter = event["key"].as<std::u16string>();
        m_typed = now - m_typedAt < TypeAheadMilliseconds ? m_typed + letter : letter;
        m_typedAt = now;
        target = rowStartingWith(m_typed);
        if (target < 0)
            return;
    } else {
        return;
    }
    event.call<void>("preventDefault");
    if (count > 0)
        moveCursor(std::clamp(target, 0, count - 1));
}

// A page is what the list shows, less the row kept in view from the last.
int DomListBox::rowsPerPage() const
{
    if (m_rows.ListCount() == 0)
        return 1;
    const double rowHeight = std::max(1.0, rowElement(0)["offsetHeight"].as<double>());
    return std::max(1, int(m_element["clientHeight"].as<double>() / rowHeight) - 1);
}

int DomListBox::rowStartingWith(const std::u16string &letters) const
{
    const int count = m_rows.ListCount();
    // A repeated single letter steps on to the next name with it.
    const int from = letters.size() == 1 ? m_cursor + 1 : m_cursor;
    for (int step = 0; step < count; ++step) {
        const int row = (from + step) % count;
        if (startsWithIgnoringCase(m_rows.List(std::int16_t(row)), letters))
            return row;
    }
    return -1;
}

val DomListBox::rowElement(int row) const
{
    return m_element["children"][row];
}

void DomListBox::showSelection(std::int16_t row, bool selected) const
{
    if (row >= 0 && row < m_rows.ListCount())
        rowElement(row).call<void>("setAttribute", val("aria-selected"),
                                   val(selected ? "true" : "false"));
}

void DomListBox::moveCursor(int row)
{
    if (m_cursor < m_rows.ListCount() && m_cursor != row)
        rowElement(m_cursor)["classList"].call<void>("remove", val("cursor"));
    m_cursor = row;
    val element = rowElement(row);
    element["classList"].call<void>("add", val("cursor"));
    m_element.call<void>("setAttribute", val("aria-activedescendant"), element["id"]);
    m_revealCursor = true;
}

void DomListBox::scrollAsDue()
{
    if (std::exchange(m_scrollToTop, false))
        m_element.set("scrollTop", 0);
    if (std::exchange(m_revealCursor, false) && m_cursor < m_rows.ListCount()) {
        val nearest = val::object();
        nearest.set("block", "nearest");
        rowElement(m_cursor).call<void>("scrollIntoView", nearest);
    }
}

void DomListBox::pick(int row)
{
    showSelection(static_cast<std::int16_t>(row), true);
    m_rows.userSelect(static_cast<std::int16_t>(row));
}
