// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/station_records.h"

#include <cmath>

namespace ventoral {

namespace {

// Keeps the first observation that reached a new extreme: a later equal
// value is no new record.
void widen(std::optional<RecordValue>& record, const std::optional<double>& value, std::int64_t time, bool highest)
{
    if (!value)
        return;
    if (!record || (highest ? *value > record->value : *value < record->value))
        record = RecordValue{*value, time};
}

std::optional<double> kph(const std::optional<double>& knots)
{
    if (!knots)
        return std::nullopt;
    return std::round(*knots * kKphPerKnot * 10) / 10;
}

void widen(RecordSet& set, const ArchivedObservation& o)
{
    const std::optional<double> temperature =
        o.temperature ? std::optional<double>(o.temperature->value) : std::nullopt;
    widen(set.temperatureMax, temperature, o.timeMinutes, true);
    widen(set.temperatureMin, temperature, o.timeMinutes, false);
    widen(set.gustMax, kph(o.gustKnots), o.timeMinutes, true);
    widen(set.windMax, kph(o.windSpeedKnots), o.timeMinutes, true);
    widen(set.pressureMin, o.pressureHpa, o.timeMinutes, false);
    widen(set.pressureMax, o.pressureHpa, o.timeMinutes, true);
}

} // namespace

StationRecords recordsOf(const std::vector<ArchivedObservation>& observations, const CivilTime& nowUtc)
{
    const std::int64_t dayStart = CivilTime{nowUtc.year, nowUtc.month, nowUtc.day, 0, 0, 0}.minutesSinceEpoch();
    const std::int64_t monthStart = CivilTime{nowUtc.year, nowUtc.month, 1, 0, 0, 0}.minutesSinceEpoch();
    StationRecords records;
    for (const ArchivedObservation& o : observations) {
        widen(records.allTime, o);
        if (o.timeMinutes >= monthStart)
            widen(records.month, o);
        if (o.timeMinutes >= dayStart)
            widen(records.today, o);
    }
    return records;
}

} // namespace ventoral
