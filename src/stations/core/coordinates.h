// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Latitude and longitude texts typed by the user (-40.65, 40-39N, 40N39)
// normalised into the directory's own form: degrees, "-", two-digit
// minutes and a hemisphere letter (40-39N, 073-47W).

#include <optional>
#include <string>
#include <string_view>

namespace ventoral {

// Empty when the text is rejected. Latitude uses N/S and the limit 90.
std::string normaliseLatitude(std::string_view text);
// Empty when the text is rejected. Longitude uses E/W and the limit 180.
std::string normaliseLongitude(std::string_view text);

// Degrees of a text in the directory form ("40-39N", "073-47W", also
// without the minutes): degrees + minutes / 60, negative for S and W.
double degreesOfDirectoryText(std::string_view text);

} // namespace ventoral
