// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which source gave a station's present report: NOAA's decoded report, or
// the station's newest METAR when the decoded report was missing or older.
// A built report is noted on a header line of the trend report stored with
// it; the trend parser reads only the last line, so older readers ignore it.

#include <string>
#include <string_view>

#include "platform/core/civil_time.h"

namespace ventoral {

// The trend text with the note "Present report: built from the METAR of
// HH:MM UTC" on its own line before the records line.
std::string withBuiltPresentNote(std::string_view trendText, const CivilTime& observedUtc);

// The trend text without that note: a trend kept for a new present report.
std::string withoutPresentNote(std::string_view trendText);

// "built from the METAR of 20:53 UTC" when trendText carries the note,
// "decoded report" otherwise, and empty for an absent report text.
std::string presentSource(std::string_view trendText, std::string_view presentText);

} // namespace ventoral
