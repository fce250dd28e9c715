// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A station's records from its archived observations: the highest and
// lowest temperature, the highest gust and wind, the lowest and highest
// pressure, each with its time, for today (UTC), this month (UTC) and all
// the archive holds.

#include <cstdint>
#include <optional>
#include <vector>

#include "observations/archived_observation.h"
#include "platform/core/civil_time.h"

namespace ventoral {

struct RecordValue {
    double value = 0;
    std::int64_t timeMinutes = 0;   // UTC minutes since 1970 of the first observation that reached it
};

// Degrees Celsius, km/h and hPa; nothing where no observation gave a value.
struct RecordSet {
    std::optional<RecordValue> temperatureMax;
    std::optional<RecordValue> temperatureMin;
    std::optional<RecordValue> gustMax;
    std::optional<RecordValue> windMax;
    std::optional<RecordValue> pressureMin;
    std::optional<RecordValue> pressureMax;
};

struct StationRecords {
    RecordSet today;
    RecordSet month;
    RecordSet allTime;
};

// The six records in the order they are shown: the key of the command
// line's JSON, the English name its text and the Records window give it,
// and what it measures.
struct RecordKind {
    enum class Quantity { Temperature, Speed, Pressure };
    const char* key;
    const char* name;
    Quantity quantity;
    std::optional<RecordValue> RecordSet::*record;
};

inline constexpr RecordKind kRecordKinds[] = {
    {"temperatureMax", "Highest temperature", RecordKind::Quantity::Temperature, &RecordSet::temperatureMax},
    {"temperatureMin", "Lowest temperature", RecordKind::Quantity::Temperature, &RecordSet::temperatureMin},
    {"gustMax", "Highest gust", RecordKind::Quantity::Speed, &RecordSet::gustMax},
    {"windMax", "Highest wind", RecordKind::Quantity::Speed, &RecordSet::windMax},
    {"pressureMin", "Lowest pressure", RecordKind::Quantity::Pressure, &RecordSet::pressureMin},
    {"pressureMax", "Highest pressure", RecordKind::Quantity::Pressure, &RecordSet::pressureMax},
};

// Today and this month run from the start of nowUtc's UTC day and month.
// Speeds are the reports' knots in km/h to a tenth.
StationRecords recordsOf(const std::vector<ArchivedObservation>& observations, const CivilTime& nowUtc);

} // namespace ventoral
