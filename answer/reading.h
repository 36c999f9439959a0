// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The ポムル developers

#pragma once

#include <QString>

namespace pomuru {

// Placeholders for typed answers that are never right: a text that begins
// with a point, and one that has a point and ends with a zero.
inline constexpr double LeadingPointAnswer = -999;
inline constexpr double TrailingZeroAnswer = -998;

// Full-width digits, the full-width full stop, full-width signs and the
// ideographic space, as a Japanese input method types them, become their
// ASCII forms (NFKC), so "０．５" reads as 0.5.
QString asciiForms(const QString& typed);

// The number at the start of a typed text: blanks, tabs and line feeds
// anywhere are ignored; an optional sign, then digits with at most one
// decimal point are read; reading stops at the first other character. A text
// without a leading number reads as 0.
double readNumber(const QString& text);

// The answer a typed text stands for: the number read from its ASCII forms,
// or a placeholder for a leading point or a trailing zero after a point.
double typedAnswer(const QString& typed);

} // namespace pomuru
