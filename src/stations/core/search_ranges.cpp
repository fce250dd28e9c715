// SPDX-License-Identifier: GPL-3.0-or-later
#include "stations/core/search_ranges.h"

#include <algorithm>
#include <cmath>

namespace ventoral {

float increasedLatitudeRange(float r, const SearchBox& box)
{
    const float top = std::fabs(box.latMax);
    const float bottom = std::fabs(box.latMin);
    if (top >= 90 && bottom >= 90)
        return r;
    if (top + 5 > 90 && bottom + 5 > 90)
        r += 90 - (bottom >= 90 ? top : bottom);
    else if (r > 9)
        r += 5;
    if (r > 0.99f && r < 10)
        r += 1;
    if (r < 1)
        r += 0.5f;
    return r;
}

float decreasedLatitudeRange(float r)
{
    if (r >= 0.5f && r <= 1)
        r -= 0.5f;
    if (r > 1.5f)
        r -= 1;
    return r;
}

float increasedLongitudeRange(float r)
{
    if (r > 0.99f && r < 180)
        r += 1;
    if (r < 1)
        r += 0.5f;
    return r;
}

float decreasedLongitudeRange(float r)
{
    return decreasedLatitudeRange(r);
}

float increasedBothLongitudeRange(float r)
{
    if (r >= 10 && r < 180)
        r += 5;
    if (r > 0.99f && r < 10)
        r += 1;
    if (r < 1)
        r += 0.5f;
    return std::min(r, 180.0f);
}

float decreasedBothRange(float r)
{
    if (r >= 0.5f && r <= 1)
        r -= 0.5f;
    if (r > 1.5f && r <= 14)
        r -= 1;
    if (r > 14)
        r -= 5;
    return r;
}

SearchRanges changedRanges(RangeButton button, SearchRanges ranges, const SearchBox& lastBox)
{
    switch (button) {
    case RangeButton::IncRange:
        ranges.latitude = increasedLatitudeRange(ranges.latitude, lastBox);
        ranges.longitude = increasedBothLongitudeRange(ranges.longitude);
        break;
    case RangeButton::DecRange:
        ranges.latitude = decreasedBothRange(ranges.latitude);
        ranges.longitude = decreasedBothRange(ranges.longitude);
        break;
    case RangeButton::IncLat:
        ranges.latitude = increasedLatitudeRange(ranges.latitude, lastBox);
        break;
    case RangeButton::DecLat:
        ranges.latitude = decreasedLatitudeRange(ranges.latitude);
        break;
    case RangeButton::IncLon:
        ranges.longitude = increasedLongitudeRange(ranges.longitude);
        break;
    case RangeButton::DecLon:
        ranges.longitude = decreasedLongitudeRange(ranges.longitude);
        break;
    }
    return ranges;
}

RangeButtons buttonsAfterSearch(const SearchBox& box, const SearchRanges& ranges)
{
    const bool polesReached = std::fabs(box.latMax) > 89 && std::fabs(box.latMin) > 89;
    RangeButtons b;
    b.incRange = !(polesReached && ranges.longitude > 179);
    b.incLat = !polesReached;
    b.incLon = !(ranges.longitude > 179);
    b.decRange = !(ranges.latitude <= 0.5f && ranges.longitude <= 0.5f);
    b.decLat = !(ranges.latitude <= 0.5f);
    b.decLon = !(ranges.longitude <= 0.5f);
    return b;
}

} // namespace ventoral
