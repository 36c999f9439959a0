// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

// Fuzzes the reading of typed answers (asciiForms, readNumber, typedAnswer)
// against a small reference reading written here from the rule itself:
// blanks, tabs and line feeds are ignored anywhere; an optional sign, then
// digits with at most one point are read; reading stops at the first other
// character; no leading number reads as 0; a text that begins with a point,
// or has a point and ends with a zero, stands for a placeholder. The
// reference strips the blanks first and converts with strtod in the C
// locale, so it shares no code path with the program's reading.
//
// The first byte chooses how the rest becomes text: UTF-8, raw UTF-16 code
// units (lone surrogates included), or bytes mapped onto the characters a
// pupil types (ASCII and full-width digits, points, signs and blanks).

#include "answer/reading.h"

#include <QString>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace {

locale_t cLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

bool ignoredBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

double referenceRead(const QString& text)
{
    std::u16string s;
    for (const QChar c : text) {
        if (!ignoredBlank(c.unicode()))
            s += c.unicode();
    }
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    // The longest prefix of the form digits* ( '.' digits* )?
    std::string number;
    bool point = false;
    bool digit = false;
    for (; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (c >= u'0' && c <= u'9') {
            number += char(c);
            digit = true;
        } else if (c == u'.' && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (!digit)
        return 0.0;
    const double value = strtod_l(number.c_str(), nullptr, cLocale());
    return negative ? -value : value;
}

double referenceAnswer(const QString& asciiText)
{
    if (!asciiText.isEmpty() && asciiText.front() == u'.')
        return pomuru::LeadingPointAnswer;
    if (!asciiText.isEmpty() && asciiText.back() == u'0' && asciiText.contains(u'.'))
        return pomuru::TrailingZeroAnswer;
    return referenceRead(asciiText);
}

// The full-width forms of ASCII (U+FF01 to U+FF5E) and the ideographic space
// are what a Japanese input method types; each has exactly one ASCII form.
bool typingAlphabet(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool ascii = (u >= 0x20 && u <= 0x7E) || u == u'\t' || u == u'\n' || u == u'\r';
        if (!ascii && !(u >= 0xFF01 && u <= 0xFF5E) && u != 0x3000)
            return false;
    }
    return true;
}

QString referenceAscii(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            out += QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000)
            out += u' ';
        else
            out += c;
    }
    return out;
}

const char16_t typedCharacters[] = u"0123456789.+- \t\n０１２３４５６７８９．＋－　a5０.";

QString decode(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return {};
    const std::uint8_t mode = data[0] % 3;
    ++data;
    --size;
    if (mode == 0)
        return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    QString text;
    if (mode == 1) {
        for (std::size_t i = 0; i + 1 < size; i += 2)
            text += QChar(char16_t(data[i] | (data[i + 1] << 8)));
        return text;
    }
    constexpr std::size_t alphabet = sizeof typedCharacters / sizeof typedCharacters[0] - 1;
    for (std::size_t i = 0; i < size; ++i)
        text += QChar(typedCharacters[data[i] % alphabet]);
    return text;
}

[[noreturn]] void fail(const char* what, const QString& text, double got, double expected)
{
    std::fprintf(stderr, "%s for \"%s\": got %.17g, expected %.17g\n", what, qPrintable(text), got, expected);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString typed = decode(data, size);

    const QString ascii = pomuru::asciiForms(typed);
    if (pomuru::asciiForms(ascii) != ascii)
        fail("asciiForms is not stable", typed, 0, 0);
    if (typingAlphabet(typed) && ascii != referenceAscii(typed))
        fail("asciiForms differs from the full-width rule", typed, 0, 0);

    const double read = pomuru::readNumber(typed);
    const double expectedRead = referenceRead(typed);
    if (std::isnan(read) || read != expectedRead)
        fail("readNumber", typed, read, expectedRead);

    const double answer = pomuru::typedAnswer(typed);
    const double expectedAnswer = referenceAnswer(ascii);
    if (std::isnan(answer) || answer != expectedAnswer)
        fail("typedAnswer", typed, answer, expectedAnswer);
    // The marking compares at single precision; that must be defined too.
    const float judged = float(answer);
    if (std::isnan(judged))
        fail("typedAnswer as float", typed, answer, expectedAnswer);
    return 0;
}
