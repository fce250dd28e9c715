// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/report_json.h"

#include <cstdio>
#include <cstdlib>

#include "observations/pressure_tendency.h"
#include "platform/core/text_encoding.h"
#include "settings/units.h"

namespace ventoral {

std::optional<std::string> unitOption(const std::string& option, const std::string& value)
{
    struct Choice {
        const char* option;
        const char* value;
        const char* unit;
    };
    static constexpr Choice kChoices[] = {
        {"--speed", "Kph", kSpeedKph},    {"--speed", "Mph", kSpeedMph},       {"--temp", "C", kTempCelsius},
        {"--temp", "F", kTempFahrenheit}, {"--pressure", "hPa", kPressureHpa}, {"--pressure", "In", kPressureInches},
    };
    for (const Choice& choice : kChoices)
        if (option == choice.option && value == choice.value)
            return std::string(choice.unit);
    return std::nullopt;
}

QString jsonText(const std::string& bytes)
{
    return QString::fromStdString(decodeLegacyText(bytes));
}

double jsonNumber(float value)
{
    for (int digits = 6; digits <= 9; ++digits) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
        if (std::strtof(buffer, nullptr) == value)
            return std::strtod(buffer, nullptr);
    }
    return static_cast<double>(value);
}

void addPresentValues(QJsonObject& object, const Observation& obs)
{
    object.insert("temperature", jsonNumber(obs.temperature));
    object.insert("dewPoint", jsonNumber(obs.dewPoint));
    object.insert("humidity", jsonNumber(obs.humidity));
    object.insert("windDirection", jsonNumber(obs.windDirection));
    object.insert("windSpeed", jsonNumber(obs.windSpeed));
    object.insert("windGust", jsonNumber(obs.windGust));
    object.insert("pressure", jsonNumber(obs.pressure));
}

QString flightCategoryJson(const std::optional<FlightCategory>& category)
{
    return category ? QString::fromStdString(std::string(flightCategoryName(*category))) : QString();
}

QString tendencyJson(const std::optional<double>& changeHpa, bool hpa)
{
    return changeHpa ? QString::fromStdString(pressureTendencyText(*changeHpa, hpa)) : QString();
}

QJsonValue ageMinutesJson(const std::optional<ReportAge>& age)
{
    return age ? QJsonValue(static_cast<double>(age->minutes)) : QJsonValue();
}

} // namespace ventoral
