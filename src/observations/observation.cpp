#include "observations/observation.h"

namespace ventoral {

bool isAbsentReport(std::string_view text)
{
    return text == kNoDataText || text.size() < 10;
}

void Observation::presetForParse()
{
    temperature = kNoTemperatureLine;
    dewPoint = kNoTemperatureLine;
    windGust = kGustNotParsed;
}

void Observation::clearTexts()
{
    stationLine.clear();
    windDirectionText.clear();
    windSpeedText.clear();
    humidityText.clear();
    pressureText.clear();
    temperatureText.clear();
    dewPointText.clear();
}

void TrendSeries::clear()
{
    for (auto& row : cells)
        for (auto& cell : row)
            cell.clear();
}

} // namespace ventoral
