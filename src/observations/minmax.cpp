// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/minmax.h"

#include <algorithm>
#include <cmath>

#include "observations/trend_parser.h"
#include "platform/core/number_text.h"
#include "platform/core/file_io.h"

namespace ventoral {

namespace {

// Start values of the 14 file entries, used for a missing file and for
// every entry from the first unreadable line on.
constexpr MinMaxFileTable kFileStart = {0, 0, 0, 0, 200, -40, 200, -40, 100, 0, 1060, 950, 35, 28};

// Entries stay within +-kEntryLimit, so a damaged file or trend cannot push
// them further. Magnitudes under kEntryTiny count as 0: decimalText writes
// them with an exponent, which the reader does not take as a number.
constexpr double kEntryLimit = 1e7;
constexpr double kEntryTiny = 1e-6;

float clampEntry(double value)
{
    if (std::isnan(value) || std::fabs(value) < kEntryTiny)
        return 0.0f;
    return static_cast<float>(std::max(-kEntryLimit, std::min(kEntryLimit, value)));
}

// The derived entries keep the integer part of a converted value. The value is
// rounded to single precision before it is cut, as the entries are singles:
// 29.9 inches is 29.8999996 as a single, and cutting 2989.99996 in double
// would lose a hundredth at every reload and save of the file.
float truncated(double value)
{
    return std::trunc(clampEntry(value));
}

// Integer part of (value x 100), divided by 100.
float hundredths(double value)
{
    return clampEntry(std::trunc(clampEntry(value * 100.0)) / 100.0);
}

// An extreme shown in the current units that did not change keeps its entry
// in the other units as it was: converting there and back cuts a little off,
// so every switch of units would otherwise narrow the record.
void keepOtherUnits(const MinMaxFileTable& previous, MinMaxFileTable& table, const DisplayUnits& units)
{
    const auto keep = [&](std::size_t shown, std::size_t other) {
        if (table[shown] == previous[shown])
            table[other] = previous[other];
    };
    const auto pair = [&](bool firstShown, std::size_t first, std::size_t second) {
        if (firstShown)
            keep(first, second);
        else
            keep(second, first);
    };
    pair(units.kph, 0, 1);
    pair(units.kph, 2, 3);
    pair(units.celsius, 4, 6);
    pair(units.celsius, 5, 7);
    pair(units.hpa, 10, 12);
    pair(units.hpa, 11, 13);
}

} // namespace

MinMaxRecord MinMaxRecord::loadStart(const DisplayUnits& units)
{
    MinMaxRecord r;
    r.minPres = units.hpa ? 1060.0f : 35.0f;
    r.maxPres = units.hpa ? 950.0f : 28.0f;
    return r;
}

MinMaxRecord MinMaxRecord::updateStart()
{
    MinMaxRecord r;
    r.minTemp = 140.0f;
    r.minPres = 1060.0f;
    r.maxPres = 28.0f;
    return r;
}

MinMaxRecord MinMaxRecord::resetValues()
{
    MinMaxRecord r;
    r.maxTemp = -20.0f;
    r.minPres = 2000.0f;
    r.maxPres = 0.0f;
    return r;
}

std::string minMaxPath(const std::string& folder, const std::string& station)
{
    return joinPath(folder, station + ".txt");
}

MinMaxFileTable minMaxTableOf(std::string_view bytes)
{
    MinMaxFileTable table = kFileStart;
    std::size_t start = 0;
    for (std::size_t entry = 0; entry < table.size() && start < bytes.size(); ++entry) {
        auto end = bytes.find('\n', start);
        if (end == std::string_view::npos)
            end = bytes.size();
        const auto value = strictNumber(bytes.substr(start, end - start));
        if (!value)
            break;
        table[entry] = clampEntry(*value);
        start = end + 1;
    }
    return table;
}

MinMaxFileRead readMinMaxFile(const std::string& path)
{
    MinMaxFileRead read;
    read.table = kFileStart;
    const auto bytes = readWholeFile(path);
    if (!bytes)
        return read;
    read.exists = true;
    read.table = minMaxTableOf(*bytes);
    return read;
}

bool writeMinMaxFile(const std::string& path, const MinMaxFileTable& table)
{
    std::string content;
    for (const float value : table)
        content += decimalText(clampEntry(value)) + "\r\n";
    // Every redraw saves, the one at start too: a record that has not changed
    // is left as it is, so the window does not wait on a flush to disk.
    if (readWholeFile(path) == content)
        return true;
    return writeFileAtomically(path, content);
}

MinMaxRecord recordOfTable(const MinMaxFileTable& e, const DisplayUnits& units)
{
    MinMaxRecord record;
    record.maxWind = roundToInt16(units.kph ? e[0] : e[1]);
    record.maxGust = roundToInt16(units.kph ? e[2] : e[3]);
    record.minTemp = units.celsius ? e[4] : e[6];
    record.maxTemp = units.celsius ? e[5] : e[7];
    record.minHum = roundToInt16(e[8]);
    record.maxHum = roundToInt16(e[9]);
    record.minPres = units.hpa ? e[10] : e[12];
    record.maxPres = units.hpa ? e[11] : e[13];
    return record;
}

void LoadMinMax(bool dataValid, const std::string& path, const DisplayUnits& units, MinMaxRecord& record,
                Observation& obs)
{
    if (!dataValid)
        return;
    const MinMaxFileRead file = readMinMaxFile(path);
    if (!file.exists) {
        record = MinMaxRecord::loadStart(units);
    } else {
        record = recordOfTable(file.table, units);
        record.file = path;
    }
    obs.maxGustSeen = record.maxGust;
}

MinMaxFileTable fileTableOf(const MinMaxRecord& r, const DisplayUnits& units)
{
    MinMaxFileTable e{};
    if (units.kph) {
        e[0] = r.maxWind;
        e[2] = r.maxGust;
        e[1] = truncated(kphToMph(r.maxWind));
        e[3] = truncated(kphToMph(r.maxGust));
    } else {
        e[1] = r.maxWind;
        e[3] = r.maxGust;
        e[0] = truncated(mphToKph(r.maxWind));
        e[2] = truncated(mphToKph(r.maxGust));
    }
    if (units.celsius) {
        e[4] = r.minTemp;
        e[5] = r.maxTemp;
        e[6] = clampEntry(celsiusToFahrenheit(r.minTemp));
        e[7] = clampEntry(celsiusToFahrenheit(r.maxTemp));
    } else {
        e[6] = r.minTemp;
        e[7] = r.maxTemp;
        e[4] = clampEntry(fahrenheitToCelsius(r.minTemp));
        e[5] = clampEntry(fahrenheitToCelsius(r.maxTemp));
    }
    e[8] = r.minHum;
    e[9] = r.maxHum;
    if (units.hpa) {
        e[10] = r.minPres;
        e[11] = r.maxPres;
        e[12] = hundredths(hpaToInches(r.minPres));
        e[13] = hundredths(hpaToInches(r.maxPres));
    } else {
        e[10] = truncated(r.minPres / 0.02953);
        e[11] = truncated(r.maxPres / 0.02953);
        e[12] = hundredths(r.minPres);
        e[13] = hundredths(r.maxPres);
    }
    return e;
}

namespace {

void widenFromTrend(MinMaxRecord& record, const TrendSeries& trend, const DisplayUnits& units, TrendSpeeds speeds)
{
    const bool convertSpeeds = speeds == TrendSpeeds::Mph && units.kph;
    const int temperatureColumn = units.celsius ? TrendSeries::TemperatureC : TrendSeries::TemperatureF;
    const int pressureColumn = units.hpa ? TrendSeries::PressureHpa : TrendSeries::PressureIn;
    for (int row = 0; row < 24; ++row) {
        const std::string& speed = trend.at(row, TrendSeries::WindSpeed);
        if (!speed.empty()) {
            const double read = readNumber(speed);
            const double v = convertSpeeds ? trendSpeedKph(read) : read;
            if (v > record.maxWind)
                record.maxWind = roundToInt16(v);
        }
        const std::string& temperature = trend.at(row, temperatureColumn);
        if (!temperature.empty()) {
            const float v = clampEntry(readNumber(temperature));
            record.minTemp = std::min(record.minTemp, v);
            record.maxTemp = std::max(record.maxTemp, v);
        }
        const std::string& humidity = trend.at(row, TrendSeries::Humidity);
        if (!humidity.empty()) {
            const double v = readNumber(humidity);
            if (v < record.minHum)
                record.minHum = roundToInt16(v);
            if (v > record.maxHum)
                record.maxHum = roundToInt16(v);
        }
        const std::string& pressure = trend.at(row, pressureColumn);
        if (!pressure.empty()) {
            const float v = clampEntry(readNumber(pressure));
            record.minPres = std::min(record.minPres, v);
            record.maxPres = std::max(record.maxPres, v);
        }
    }
}

} // namespace

bool SaveMinMax(bool dataValid, const std::string& station, const std::string& path, const DisplayUnits& units,
                const TrendSeries& trend, MinMaxRecord& record, Observation& obs)
{
    if (!dataValid)
        return true;
    const MinMaxFileRead previous = readMinMaxFile(path);
    if (record.file != path) {
        // obs.maxGustSeen may still hold the gusts of the station shown
        // before; of this station's, only the report just parsed counts.
        record = previous.exists ? recordOfTable(previous.table, units) : MinMaxRecord::updateStart();
        record.file = path;
        if (obs.windGust > record.maxGust)
            record.maxGust = roundToInt16(obs.windGust);
    } else {
        record.maxGust = obs.maxGustSeen;
    }

    widenFromTrend(record, trend, units, TrendSpeeds::AsDisplayed);
    obs.maxGustSeen = record.maxGust;

    if (station.size() < 4)
        return true;
    MinMaxFileTable table = fileTableOf(record, units);
    if (previous.exists)
        keepOtherUnits(previous.table, table, units);
    return writeMinMaxFile(path, table);
}

MinMaxRecord widenedByTrend(MinMaxRecord record, const TrendSeries& trend, const DisplayUnits& units,
                            TrendSpeeds speeds)
{
    widenFromTrend(record, trend, units, speeds);
    return record;
}

MinMaxFileTable storedTableOf(const MinMaxRecord& record, const std::optional<MinMaxFileTable>& stored,
                              const DisplayUnits& units)
{
    MinMaxFileTable table = fileTableOf(record, units);
    if (stored)
        keepOtherUnits(*stored, table, units);
    return table;
}

MinMaxRecord widenedRecord(const std::optional<MinMaxFileTable>& stored, const TrendSeries& trend,
                           const ShownReadings& present, const DisplayUnits& units, TrendSpeeds speeds)
{
    MinMaxRecord record = stored ? recordOfTable(*stored, units) : MinMaxRecord::updateStart();
    if (present.gust && *present.gust > record.maxGust)
        record.maxGust = roundToInt16(*present.gust);
    widenFromTrend(record, trend, units, speeds);
    if (present.temperature && record.minTemp > present.temperature->value)
        record.minTemp = present.temperature->value;
    if (record.maxGust < record.maxWind)
        record.maxGust = record.maxWind;
    return record;
}

} // namespace ventoral
