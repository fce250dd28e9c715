// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Hand-made trend tables for graph tests: a whole day of December records.

#include <string>

#include "observations/observation.h"

namespace ventoral::test {

// Row r holds cycle r; the newest row has the largest ordering key.
inline TrendSeries fullDay(int newestRow = 23)
{
    TrendSeries trend;
    for (int row = 0; row < 24; ++row) {
        trend.at(row, TrendSeries::Record) = "record of cycle " + std::to_string(row) + "...";
        trend.at(row, TrendSeries::Cycle) = std::to_string(row);
        const int age = (newestRow - row + 24) % 24;
        trend.at(row, TrendSeries::OrderKey) = "12|" + std::to_string(1000 - age);
    }
    return trend;
}

// The same day with every hour of column holding value.
inline TrendSeries fullDayOf(int column, const std::string& value, int newestRow = 23)
{
    TrendSeries trend = fullDay(newestRow);
    for (int row = 0; row < 24; ++row)
        trend.at(row, column) = value;
    return trend;
}

} // namespace ventoral::test
