// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Texts the short-list tool's controls and its handlers share.

namespace ventoral::station_options {

inline constexpr const char* kSearchCaption = "Search";
inline constexpr const char* kSearchTip = "Search for stations within Latitude and Longitude range.";
inline constexpr const char* kLatDefault = "00.000";
inline constexpr const char* kLonDefault = "000.000";

} // namespace ventoral::station_options
