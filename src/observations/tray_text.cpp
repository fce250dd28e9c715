// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/tray_text.h"

#include <cmath>
#include <cstdio>

#include "observations/present_report.h"
#include "observations/report_age.h"
#include "platform/core/number_text.h"

namespace ventoral {

namespace {

constexpr const char* kDegree = "\xC2\xB0";

bool hasTemperature(const Observation& obs)
{
    return obs.temperature != kNoTemperatureLine && obs.temperature != kNoPresentReport;
}

std::string wholeText(double value)
{
    return std::to_string(std::lround(value));
}

// "Wind 240° 9 Kph, gusts 20", "Wind calm"; empty without a wind line.
std::string windLine(const Observation& obs, const DisplayUnits& units)
{
    if (obs.windSpeed < 0.0f)
        return {};
    if (std::lround(obs.windSpeed) == 0)
        return "Wind calm";
    std::string line = "Wind ";
    if (!obs.windDirectionText.empty())
        line += obs.windDirectionText + kDegree + " ";
    line += wholeText(obs.windSpeed) + " " + (units.kph ? kSpeedKph : kSpeedMph);
    if (std::lround(obs.windGust) > std::lround(obs.windSpeed))
        line += ", gusts " + wholeText(obs.windGust);
    return line;
}

// "Pressure 1013 hPa", "Pressure 29.92 In"; empty without a pressure.
std::string pressureLine(const Observation& obs, const DisplayUnits& units)
{
    if (obs.pressure <= kNoPressure)
        return {};
    if (units.hpa)
        return "Pressure " + wholeText(obs.pressure) + " " + kPressureHpa;
    char inches[32];
    std::snprintf(inches, sizeof inches, "%.2f", static_cast<double>(obs.pressure));
    return std::string("Pressure ") + inches + " " + kPressureInches;
}

std::string ageLine(const Observation& obs, const TrayContext& context)
{
    const std::optional<CivilTime> observed = readObservationTime(obs.dateLine);
    const std::optional<long long> minutes = observed ? reportAgeMinutes(*observed, context.nowUtc) : std::nullopt;
    return minutes ? reportAgeText(*minutes) : std::string();
}

} // namespace

TrayText trayText(std::string_view station, const Observation& obs, const TrayContext& context)
{
    TrayText text;
    text.iconText = hasTemperature(obs) ? wholeText(obs.temperature) : "--";
    if (station.empty()) {
        text.toolTip = "Ventoral\nNo station selected";
        return text;
    }
    std::string tip(station);
    if (obs.temperature == kNoPresentReport) {
        text.toolTip = tip + "\nNo data";
        return text;
    }
    tip += "  ";
    tip += hasTemperature(obs) ? decimalText(obs.temperature) : std::string("--");
    tip += std::string(" ") + (context.units.celsius ? kTempCelsius : kTempFahrenheit);
    for (const std::string& line : {windLine(obs, context.units), pressureLine(obs, context.units), ageLine(obs, context)})
        if (!line.empty())
            tip += "\n" + line;
    text.toolTip = tip;
    return text;
}

} // namespace ventoral
