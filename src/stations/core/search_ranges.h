// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The half-sizes of the box search in degrees and the rules of the six
// plus and minus buttons that change them. Starting from 0 the latitude
// range grows 0.5, 1, 2, ... 10, 15, 20 and shrinks the same way back.

#include "stations/core/station_search.h"

namespace ventoral {

struct SearchRanges {
    float latitude = 0;
    float longitude = 0;
};

// Latitude increase; the box of the last search decides near the poles.
float increasedLatitudeRange(float range, const SearchBox& lastBox);
float decreasedLatitudeRange(float range);
float increasedLongitudeRange(float range);
float decreasedLongitudeRange(float range);
// The longitude rule of the both-axes plus button; at most 180.
float increasedBothLongitudeRange(float range);
// The rule of the both-axes minus button, for either axis.
float decreasedBothRange(float range);

enum class RangeButton { IncRange, DecRange, IncLat, DecLat, IncLon, DecLon };
SearchRanges changedRanges(RangeButton button, SearchRanges ranges, const SearchBox& lastBox);

struct RangeButtons {
    bool incRange = true;
    bool decRange = false;
    bool incLat = false;
    bool decLat = false;
    bool incLon = false;
    bool decLon = false;
};

// The buttons once a box search has run: each is on unless its limit is
// reached (the box beyond 89 degrees on both sides, a longitude range over
// 179, a range of 0.5 or less).
RangeButtons buttonsAfterSearch(const SearchBox& box, const SearchRanges& ranges);

} // namespace ventoral
