// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Per-station extremes, kept on disk in every unit at once so a change of
// units can reload them without loss.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "observations/observation.h"
#include "observations/shown_readings.h"
#include "settings/units.h"

namespace ventoral {

// Values in the display units.
struct MinMaxRecord {
    std::int16_t maxWind = 0;
    std::int16_t maxGust = 0;   // the same value as Observation::maxGustSeen
    float minTemp = 200.0f;
    float maxTemp = -40.0f;
    std::int16_t minHum = 100;
    std::int16_t maxHum = 0;
    float minPres = 1060.0f;
    float maxPres = 950.0f;
    // The min/max file these values are of; only that file receives them.
    // Empty for start values that no redraw has widened yet.
    std::string file;

    // Start values when a station has no file yet.
    static MinMaxRecord loadStart(const DisplayUnits& units);
    static MinMaxRecord updateStart();
    // Values of the editor's Reset.
    static MinMaxRecord resetValues();
};

// The 14 lines of the file, in its order: wind km/h, MPH; gust km/h, MPH;
// temperature low/high ºC, low/high ºF; humidity low/high; pressure
// low/high hPa, low/high inches.
using MinMaxFileTable = std::array<float, 14>;

// "ABCD" -> "ABCD.txt" inside folder.
std::string minMaxPath(const std::string& folder, const std::string& station);

// Reads a file table. From the first line that is not a number on, and past
// the end of a short file, entries take their start values; a missing file
// gives exists false and the start values throughout.
struct MinMaxFileRead {
    bool exists = false;
    MinMaxFileTable table{};
};
MinMaxFileRead readMinMaxFile(const std::string& path);
MinMaxFileTable minMaxTableOf(std::string_view bytes);
bool writeMinMaxFile(const std::string& path, const MinMaxFileTable& table);

// The record a file table gives in the display units.
MinMaxRecord recordOfTable(const MinMaxFileTable& table, const DisplayUnits& units);

// Fills record (and obs.maxGustSeen) from the station's file in the current
// units; without a file, the load start values. Does nothing when !dataValid.
void LoadMinMax(bool dataValid, const std::string& path, const DisplayUnits& units, MinMaxRecord& record,
                Observation& obs);

// Widens the record from trend rows 0-23, derives the other units and
// rewrites the file (not for a station code under 4 characters). The gust
// comes from obs.maxGustSeen and goes back there. A record that is not the
// file's own (another station's, or start values) first starts over from
// the file, or without one from the update start values, with the gust of
// the report just parsed. Does nothing when !dataValid. False only when the
// file could not be written.
bool SaveMinMax(bool dataValid, const std::string& station, const std::string& path, const DisplayUnits& units,
                const TrendSeries& trend, MinMaxRecord& record, Observation& obs);

// The file table of a record, by the rules SaveMinMax writes with.
MinMaxFileTable fileTableOf(const MinMaxRecord& record, const DisplayUnits& units);

// The table a record is saved as over the station's stored one: entries in
// the other units whose shown value did not change keep their value.
MinMaxFileTable storedTableOf(const MinMaxRecord& record, const std::optional<MinMaxFileTable>& stored,
                              const DisplayUnits& units);

// The units of a trend table's speed column: the display units (the table
// a view draws), or MPH as the table is read, converted when read here.
enum class TrendSpeeds { AsDisplayed, Mph };

// The record widened by trend rows 0-23, in the display units.
MinMaxRecord widenedByTrend(MinMaxRecord record, const TrendSeries& trend, const DisplayUnits& units,
                            TrendSpeeds speeds = TrendSpeeds::AsDisplayed);

// The extremes of a station in the display units: what its file holds (the
// update start values without one), widened by trend rows 0-23, the present
// report's gust and, for the lowest temperature, its temperature; the
// highest gust is never below the highest wind.
MinMaxRecord widenedRecord(const std::optional<MinMaxFileTable>& stored, const TrendSeries& trend,
                           const ShownReadings& present, const DisplayUnits& units,
                           TrendSpeeds speeds = TrendSpeeds::AsDisplayed);

} // namespace ventoral
