// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mathematics of the five 24-hour trend graphs: their scales, the
// newest record, the points oldest first and the local-time axis.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "settings/settings.h"
#include "observations/observation.h"
#include "platform/core/civil_time.h"
#include "platform/core/time_zone.h"

namespace ventoral {

inline constexpr int kGraphColumns = 24;          // one per hour
inline constexpr double kPlotHeightTwips = 1150;
inline constexpr double kWidePlotWidthTwips = 3900;    // pressure, temperature
inline constexpr double kNarrowPlotWidthTwips = 2550;  // humidity, wind speed, wind direction
inline constexpr int kFilledShade = 24;           // shade of hours without a value

// The value range and plot size of one graph. Values are in the unit of the
// plotted column; grid lines are numbered from 1 at the bottom.
struct GraphScale {
    int column = 0;             // TrendSeries column plotted
    double minimum = 0;         // value at the bottom edge
    double maximum = 0;         // value at the top edge
    double labelStep = 1;
    double divisions = 1;       // horizontal grid intervals
    double width = kWidePlotWidthTwips;
    double height = kPlotHeightTwips;
    std::string title;

    double range() const { return maximum - minimum; }
    double gridStep() const { return range() / divisions; }
    double halfColumn() const { return width / kGraphColumns / 2; }
    // The number of the grid line drawn in the mid-line colour.
    int midLineNumber() const;
    // Grid lines from the minimum up to the maximum, both included when they fall on the grid.
    int gridLineCount() const;
    // Twips below the plot top; negative above the maximum.
    double offsetOf(double value) const { return (maximum - value) * height / range(); }
};

// "hPa" plots column 9 over 950-1050, any other unit column 8 over 28-31.5 inches.
GraphScale pressureScale(const UnitSettings& units);
// The Celsius or Fahrenheit ends of the temperature scale of the units settings.
GraphScale temperatureScale(const UnitSettings& units);
GraphScale humidityScale();
// largestSpeed in the display unit: over 50 km/h gives 0-160, over 40 MPH 0-100, else 0-50.
GraphScale windSpeedScale(const UnitSettings& units, int largestSpeed);
GraphScale windDirectionScale();

// Row 0-23 of the newest record: the largest ordering key within the newest
// month (January beats December), among rows whose record text is longer than
// 16 characters; the later row on equal keys. nullopt when no row qualifies.
std::optional<int> newestRecordRow(const TrendSeries& trend);

// The UTC date and time of the record of row 0-23, from its ordering key
// ("12|140053": 14 December, 00:53); the year is that of reference, or the
// one before when that would put the record more than a month after it.
// nullopt for a row without a record or with a key that cannot be read.
std::optional<CivilTime> recordTimeUtc(const TrendSeries& trend, int row, const CivilTime& reference);

// The cycle of the newest record; fallback when no row qualifies.
std::int16_t newestCycle(const TrendSeries& trend, std::int16_t fallback);

// The row of the oldest plotted hour: the one after the newest cycle.
int startRow(int cycle);

struct GraphPoint {
    std::optional<double> offset;   // twips below the plot top
    bool measured = false;          // false: filled in between measured hours, or none
};
using GraphPoints = std::array<GraphPoint, kGraphColumns>;

// The points oldest first, starting at startRow(cycle). Points without a
// value get, when any point has one, an offset copied at the ends and
// interpolated between.
GraphPoints orderedPoints(const TrendSeries& trend, const GraphScale& scale, int cycle);

// Relative humidity in percent, from the Fahrenheit temperature and dew point
// of the row. nullopt when either Celsius cell is empty or the Celsius dew
// point is above the Celsius temperature.
std::optional<int> humidityOfRow(const TrendSeries& trend, int row);

// Fills the humidity column of rows 0-23 from each row's temperature and dew point.
void fillHumidity(TrendSeries& trend);

// The largest wind speed of rows 0-23 as a whole number; 0 when there is none.
int largestSpeed(const TrendSeries& trend);

// The local hour labelled under column k (0-23) when the newest UTC cycle is
// cycle and local time is utcOffsetHours ahead of UTC at that column; a half
// hour rounds up. Folded into 0-24: midnight reads 24 unless the sum comes
// to exactly 0.
int timeAxisHour(int cycle, double utcOffsetHours, int k);

using AxisHours = std::array<int, kGraphColumns>;

// The local hours under the 24 columns, each by the zone's rules at its own
// instant, so a change of daylight saving within the day skips or repeats an
// hour. The newest column is the UTC hour cycle nearest to near (the newest
// record's time, or the report's).
AxisHours timeAxisHours(int cycle, const CivilTime& near, const TimeZone& zone);

} // namespace ventoral
