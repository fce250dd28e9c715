// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The JSON values ventoral-cli prints for a station's present report, made
// in one place so `present` and `wall` give the same value under the same
// name.

#include <optional>
#include <string>

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include "observations/flight_category.h"
#include "observations/observation.h"
#include "observations/report_age.h"

namespace ventoral {

// The unit text a --speed, --temp or --pressure value stands for: Kph or
// Mph, C or F, hPa or In; nothing for any other.
std::optional<std::string> unitOption(const std::string& option, const std::string& value);

// Report text (Windows-1252 or UTF-8) as a JSON string.
QString jsonText(const std::string& bytes);

// The shortest decimal form that reads back as the same float, so 8.053866
// rather than the float's double expansion 8.053866386413574.
double jsonNumber(float value);

// temperature, dewPoint, humidity, windDirection, windSpeed, windGust and
// pressure, in the display units with the absent-value markers.
void addPresentValues(QJsonObject& object, const Observation& obs);

// "VFR" and so on; empty without a category.
QString flightCategoryJson(const std::optional<FlightCategory>& category);
// "+1.2 hPa/3 h"; empty without a change.
QString tendencyJson(const std::optional<double>& changeHpa, bool hpa);
// Minutes since the observation; null without an age.
QJsonValue ageMinutesJson(const std::optional<ReportAge>& age);

} // namespace ventoral
