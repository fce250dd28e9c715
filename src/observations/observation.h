// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The present values of the selected station and its hourly trend table,
// filled by the two report parsers and read by graphs, dials and min/max.

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace ventoral {

// Stands in both texts when no station data file could be read.
inline constexpr std::string_view kNoDataText = "Click Update to download data for this station";

// Absent-value markers the dials and graphs test for.
inline constexpr float kNoTemperatureLine = -1000.0f;
inline constexpr float kNoPresentReport = -1111.0f;   // temperature, no report at all
inline constexpr float kNoWindLine = -1.0f;            // wind speed
inline constexpr float kNoHumidityLine = -1.0f;
inline constexpr float kNoReportSpeed = -2.0f;         // wind speed and humidity, no report at all
inline constexpr float kNoReportHumidity = -2.0f;
inline constexpr float kGustNotParsed = -2.0f;         // wind gust before the first parse of a cycle
inline constexpr float kNoPressure = 0.0f;

// A report text counts as absent when it is the placeholder, or under 10 characters.
bool isAbsentReport(std::string_view text);

// Speeds are in the display unit (km/h or MPH), temperatures in ºC or ºF,
// pressure in hPa or inches of mercury, as the units settings say.
struct Observation {
    std::string stationLine;
    std::string dateLine;
    float utcHour = 0.0f;
    std::chrono::seconds observationTime{0}; // UTC time of day, seconds always 0
    float windDirection = 0.0f;              // degrees clockwise from north
    std::string windDirectionText;           // empty: variable, no direction or no wind line
    float windSpeed = kNoWindLine;
    std::string windSpeedText;
    float windGust = 0.0f;
    std::int16_t maxGustSeen = 0;            // whole units; only the min/max records lower it
    float temperature = kNoTemperatureLine;
    std::string temperatureText;
    float dewPoint = kNoTemperatureLine;
    std::string dewPointText;
    float humidity = kNoHumidityLine;        // percent
    std::string humidityText;
    float pressure = kNoPressure;
    std::string pressureText;
    std::int16_t cycle = 0;                  // reporting hour 0-23

    // Presets of the display cycle before each parse.
    void presetForParse();
    // Every present value back to its state before any report was read, so
    // nothing of an earlier report shows; the highest gust seen stays, as it
    // belongs to the station's min/max record.
    void clearPresentValues();
};

// Hourly trend records, one row per reporting cycle; cells are decimal text
// or empty for no value.
struct TrendSeries {
    static constexpr int kRows = 25;
    static constexpr int kColumns = 14;

    enum Column : int {
        Record = 0,
        Cycle = 1,
        Field2 = 2,
        OrderKey = 3,        // month "|" ordering key
        TemperatureF = 4,
        TemperatureC = 5,
        DewPointF = 6,
        DewPointC = 7,
        PressureIn = 8,
        PressureHpa = 9,
        WindDirection = 10,  // degrees from the compass name
        WindSpeed = 11,      // MPH, or km/h in km/h mode
        Field8 = 12,
        Humidity = 13,       // percent, filled by the humidity graph
    };

    std::array<std::array<std::string, kColumns>, kRows> cells;

    std::string& at(int row, int column) { return cells[row][column]; }
    const std::string& at(int row, int column) const { return cells[row][column]; }
    void clear();
};

} // namespace ventoral
