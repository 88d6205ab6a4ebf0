// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "textbox.h"

#include <emscripten/val.h>

#include <functional>
#include <string>

// The log on a page: a read-only text area. The page turns CR LF into line
// feeds, so the text as written is kept here and read back from here.
class DomTextBox : public quiz::TextBox
{
public:
    DomTextBox(emscripten::val element, std::u16string text);

    std::u16string Text() const override;
    void SetText(const std::u16string &text) override;

    const emscripten::val &element() const { return m_element; }
    // Scrolls back to the first line after a write, at the next frame, once
    // the page is laid out.
    void scrollAsDue();

    // Told the text before and after each write.
    void
    setWriteListener(std::function<void(const std::u16string &, const std::u16string &)> listener);

private:
    void show();

    emscripten::val m_element;
    std::u16string m_text;
    bool m_scrollToTop = false;
    std::function<void(const std::u16string &, const std::u16string &)> m_listener;
};
