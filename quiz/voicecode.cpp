// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

#include "voicecode.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <string>

namespace quiz {

namespace {

bool isSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Walks the text with the skipped characters left out.
class Reader
{
public:
    explicit Reader(std::u16string_view text)
        : m_text(text)
    {
    }

    char16_t peek()
    {
        while (m_pos < m_text.size() && isSkipped(m_text[m_pos]))
            ++m_pos;
        return m_pos < m_text.size() ? m_text[m_pos] : u'\0';
    }

    void advance() { ++m_pos; }

private:
    std::u16string_view m_text;
    std::size_t m_pos = 0;
};

// No text is long enough for an exponent beyond this to matter.
constexpr long ExponentCap = 100000;

} // namespace

double Val(std::u16string_view text)
{
    Reader in(text);
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.advance();
    }

    std::string digits;  // significant digits, leading zeros dropped
    long pointShift = 0; // decimal exponent contributed by the digit positions
    bool anyDigit = false;
    for (; isDigit(in.peek()); in.advance()) {
        anyDigit = true;
        if (!digits.empty() || in.peek() != u'0')
            digits.push_back(static_cast<char>(in.peek()));
    }
    if (in.peek() == u'.') {
        in.advance();
        for (; isDigit(in.peek()); in.advance()) {
            anyDigit = true;
            if (!digits.empty() || in.peek() != u'0')
                digits.push_back(static_cast<char>(in.peek()));
            --pointShift;
        }
    }
    if (!anyDigit || digits.empty())
        return negative ? -0.0 : 0.0;

    long exponent = 0;
    const char16_t marker = in.peek();
    if (marker == u'E' || marker == u'e' || marker == u'D' || marker == u'd') {
        in.advance();
        bool negativeExponent = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            negativeExponent = in.peek() == u'-';
            in.advance();
        }
        for (; isDigit(in.peek()); in.advance())
            exponent = std::min(ExponentCap, exponent * 10 + (in.peek() - u'0'));
        if (negativeExponent)
            exponent = -exponent;
    }

    const long scale = std::clamp(exponent + pointShift, -2 * ExponentCap, 2 * ExponentCap);
    const std::string number = digits + 'e' + std::to_string(scale);
    // strtod, not from_chars: every C library we build with rounds it
    // correctly, underflow and overflow included, while some C++ libraries
    // lack a floating from_chars. The text has no decimal point, so the
    // locale cannot change the reading.
    const double value = std::strtod(number.c_str(), nullptr);
    return negative ? -value : value;
}

std::optional<std::int16_t> roundToInt16(double value)
{
    if (!(value >= -32768.5 && value <= 32767.5))
        return std::nullopt;
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    if (rounded > 32767.0)
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

std::optional<VoiceKind> voiceKindFromCode(std::u16string_view code)
{
    return roundToInt16(Val(code));
}

} // namespace quiz
