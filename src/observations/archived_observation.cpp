// SPDX-License-Identifier: GPL-3.0-or-later
#include "observations/archived_observation.h"

#include <cmath>

#include "observations/metar.h"
#include "observations/trend_graphs.h"

namespace ventoral {

namespace {

double roundedTo(double value, double step)
{
    return std::round(value / step) * step;
}

std::optional<ReportedCelsius> reported(const std::optional<double>& tenths, const std::optional<int>& whole)
{
    if (tenths)
        return ReportedCelsius{*tenths, true};
    if (whole)
        return ReportedCelsius{static_cast<double>(*whole), false};
    return std::nullopt;
}

std::string_view trimmed(std::string_view line)
{
    const auto first = line.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r\n");
    return line.substr(first, last - first + 1);
}

} // namespace

std::optional<ArchivedObservation> archivedObservationOf(std::string_view line, const CivilTime& nowUtc)
{
    line = trimmed(line);
    const std::optional<Metar> metar = readMetar(line);
    if (!metar || metar->nil)
        return std::nullopt;
    const std::optional<CivilTime> observed = observationTime(*metar, nowUtc);
    if (!observed)
        return std::nullopt;

    ArchivedObservation o;
    o.station = metar->station;
    o.timeMinutes = observed->minutesSinceEpoch();
    o.special = metar->special;
    o.corrected = metar->corrected;
    o.temperature = reported(metar->temperatureTenthsC, metar->temperatureC);
    o.dewPoint = reported(metar->dewPointTenthsC, metar->dewPointC);
    if (const auto& wind = metar->wind) {
        o.windDirectionDegrees = wind->directionDegrees;
        o.windSpeedKnots = roundedTo(wind->speedKnots(), 0.1);
        if (wind->gust)
            o.gustKnots = roundedTo(wind->knots(*wind->gust), 0.1);
    }
    if (metar->pressureHpa)
        o.pressureHpa = *metar->pressureHpa;
    else if (metar->altimeterInches)
        o.pressureHpa = roundedTo(*metar->altimeterInches / kInchesPerHpa, 0.1);
    const FlightConditions conditions = flightConditionsOf(metar->raw);
    if (conditions.visibilityMiles)
        o.visibilityMiles = roundedTo(*conditions.visibilityMiles, 0.01);
    o.flightCategory = flightCategoryOf(conditions);
    o.raw = std::string(line);
    return o;
}

std::vector<ArchivedObservation> archivedObservationsOf(std::string_view text, const CivilTime& nowUtc)
{
    std::vector<ArchivedObservation> observations;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (std::optional<ArchivedObservation> o = archivedObservationOf(text.substr(start, end - start), nowUtc))
            observations.push_back(std::move(*o));
        start = end + 1;
    }
    return observations;
}

std::optional<int> humidityOf(const ArchivedObservation& observation)
{
    if (!observation.temperature || !observation.dewPoint ||
        observation.dewPoint->value > observation.temperature->value)
        return std::nullopt;
    return humidityPercent(observation.temperature->value, observation.dewPoint->value);
}

} // namespace ventoral
