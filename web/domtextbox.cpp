// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "domtextbox.h"

#include <utility>

DomTextBox::DomTextBox(emscripten::val element, std::u16string text)
    : m_element(std::move(element))
    , m_text(std::move(text))
{
    show();
}

std::u16string DomTextBox::Text() const
{
    return m_text;
}

void DomTextBox::SetText(const std::u16string &text)
{
    std::u16string before = std::exchange(m_text, text);
    show();
    if (m_listener)
        m_listener(before, m_text);
}

void DomTextBox::setWriteListener(
    std::function<void(const std::u16string &, const std::u16string &)> listener)
{
    m_listener = std::move(listener);
}

void DomTextBox::show()
{
    std::u16string shown;
    shown.reserve(m_text.size());
    for (std::size_t i = 0; i < m_text.size(); ++i)
        if (!(m_text[i] == u'\r' && i + 1 < m_text.size() && m_text[i + 1] == u'\n'))
            shown.push_back(m_text[i]);
    m_element.set("value", shown);
    // The newest verdict is the first line: in view after every write.
    m_element.call<void>("setSelectionRange", 0, 0);
    m_scrollToTop = true;
}

void DomTextBox::scrollAsDue()
{
    if (std::exchange(m_scrollToTop, false))
        m_element.set("scrollTop", 0);
}
