// SPDX-FileCopyrightText: 2026 Тесирона
// SPDX-License-Identifier: GPL-3.0-or-later

// Fuzzes the reading of voice codes: any text must read without a fault,
// agree with the C library's own reading of the same number, and round to
// the 16-bit voice kind the way the code conversion promises.
#include "voicecode.h"

#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Mostly the characters a number is made of, so inputs get past the start.
constexpr char16_t Alphabet[] = u"0123456789012345.+-eEdD \t\n\rx,&H3";

std::u16string textFrom(const std::uint8_t *data, std::size_t size)
{
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] < 0xF0 || i + 2 >= size) {
            text += Alphabet[data[i] % (std::size(Alphabet) - 1)];
        } else {
            text += static_cast<char16_t>((data[i + 1] << 8) | data[i + 2]);
            i += 2;
        }
    }
    return text;
}

bool skipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

bool digit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The number the text begins with, blanks taken out, spelled for strtod;
// empty when the text begins with no number.
std::string leadingNumber(const std::u16string &text)
{
    std::string squeezed;
    for (char16_t c : text)
        if (!skipped(c))
            squeezed += c < 0x80 ? static_cast<char>(c) : '?';
    std::size_t i = 0;
    auto digits = [&] {
        std::size_t start = i;
        while (i < squeezed.size() && digit(static_cast<char16_t>(squeezed[i])))
            ++i;
        return i - start;
    };
    if (i < squeezed.size() && (squeezed[i] == '+' || squeezed[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < squeezed.size() && squeezed[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return {};
    std::string number = squeezed.substr(0, i);
    if (i < squeezed.size() && std::string("eEdD").find(squeezed[i]) != std::string::npos) {
        std::size_t mark = i++;
        if (i < squeezed.size() && (squeezed[i] == '+' || squeezed[i] == '-'))
            ++i;
        if (digits() > 0)
            number = squeezed.substr(0, mark) + 'e' + squeezed.substr(mark + 1, i - mark - 1);
    }
    return number;
}

[[noreturn]] void fail(const char *what, const std::u16string &text, double value)
{
    std::fprintf(stderr, "code reading: %s (value %.17g, text of %zu units:", what, value,
                 text.size());
    for (char16_t c : text)
        std::fprintf(stderr, " %04x", unsigned(c));
    std::fprintf(stderr, ")\n");
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::u16string text = textFrom(data, size);
    const double value = quiz::Val(text);
    if (std::isnan(value))
        fail("Val gave NaN", text, value);

    const std::string number = leadingNumber(text);
    const double expected = number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
    if (value != expected)
        fail(("Val differs from strtod(\"" + number + "\")").c_str(), text, value);

    const std::optional<std::int16_t> kind = quiz::voiceKindFromCode(text);
    if (kind != quiz::roundToInt16(value))
        fail("voiceKindFromCode is not Val then roundToInt16", text, value);

    // The default rounding mode of the C library rounds halves to even.
    std::fesetround(FE_TONEAREST);
    const double nearest = std::nearbyint(value);
    const bool fits = nearest >= -32768.0 && nearest <= 32767.0;
    if (kind.has_value() != fits || (kind && double(*kind) != nearest))
        fail("rounding to 16 bits differs from nearbyint", text, value);
    return 0;
}
