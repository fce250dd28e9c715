// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading numbers out of report texts and writing them back as short decimal text.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ventoral {

// Leading and embedded blanks (space, tab, CR, LF) are skipped; an optional
// sign, digits and one decimal point are taken; reading stops at the first
// other character. No digits read as 0.
double readNumber(std::string_view text);

// readNumber over the n characters starting at the 1-based position pos
// (fewer at the end of the text; none when pos lies past it).
double readNumberAt(std::string_view text, std::size_t pos, std::size_t n);

// The whole text as a 16-bit integer: blanks around it allowed, a decimal
// fraction rounds half to even. Anything else, or a value out of range, is
// no integer at all.
std::optional<std::int16_t> integerOf(std::string_view text);

// The whole trimmed text as a number (sign, digits, one point), or nothing.
std::optional<double> strictNumber(std::string_view text);

// Rounds half to even and clamps into the 16-bit range.
std::int16_t roundToInt16(double value);
// Rounds half to even and clamps into the 32-bit range.
std::int32_t roundToInt32(double value);

// A single-precision value with at most 7 significant digits, trailing
// zeros and point dropped: 44, 7.2, -0.4, 1020, 30.1.
std::string decimalText(float value);

// A double with up to 15 significant digits, the same trimming.
std::string doubleText(double value);

// Text helpers with 1-based positions, 0 meaning "not found".
std::size_t findText(std::string_view haystack, std::string_view needle, std::size_t from = 1);
std::string_view midText(std::string_view text, std::size_t pos, std::size_t n = std::string_view::npos);

std::string_view trimBlanks(std::string_view text);

} // namespace ventoral
