// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#include "reading.h"

#include <charconv>
#include <limits>
#include <string>

namespace pomuru {

QString asciiForms(const QString& typed)
{
    return typed.normalized(QString::NormalizationForm_KC);
}

double readNumber(const QString& text)
{
    // Gathers the digits and at most one point, then converts them without
    // regard to the user's locale (whose decimal mark may be a comma).
    bool negative = false;
    bool signAllowed = true;
    bool pointSeen = false;
    std::string digits;
    for (const QChar c : text) {
        // Blanks, tabs and line feeds are ignored; a carriage return, as a
        // pasted text may carry, is another character and ends the number.
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if (signAllowed && (c == u'+' || c == u'-')) {
            negative = c == u'-';
            signAllowed = false;
            continue;
        }
        signAllowed = false;
        if (c >= u'0' && c <= u'9') {
            digits += char(c.unicode());
        } else if (c == u'.' && !pointSeen) {
            digits += '.';
            pointSeen = true;
        } else {
            break;
        }
    }
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Far too many digits: huge when a digit before the point is not
        // zero, otherwise too small to tell from zero.
        const auto whole = digits.substr(0, digits.find('.'));
        value = whole.find_first_not_of('0') == std::string::npos ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc()) {
        value = 0;  // no digits at all: "", "." and the like
    }
    (void)end;
    return negative ? -value : value;
}

double typedAnswer(const QString& typed)
{
    const QString text = asciiForms(typed);
    const double value = readNumber(text);
    if (text.startsWith(u'.'))
        return LeadingPointAnswer;
    if (text.endsWith(u'0') && text.contains(u'.'))
        return TrailingZeroAnswer;
    return value;
}

} // namespace pomuru
