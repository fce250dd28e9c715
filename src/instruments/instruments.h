// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The five dials: wind direction, wind speed with gust, temperature with dew
// point, humidity and air pressure, each over its face bitmap with its
// history band, numbers, unit, high/low markers, pointers and caption.

#include <optional>
#include <string>
#include <string_view>

#include "settings/settings.h"
#include "instruments/dial.h"
#include "observations/minmax.h"
#include "observations/observation.h"

namespace ventoral {

struct InstrumentContext {
    Surface& target;
    DialGeometry& dial;
    const ColorScheme& colors;
    const ShadeTable& shades;
    const UnitSettings& units;
    Observation& obs;
    MinMaxRecord& minMax;
    const TrendSeries& trend;
    std::string facesFolder;     // face bitmaps, read on screen only
    double pictureWidth = 0;     // the dial's picture, twips
    double pictureHeight = 0;
    int offsetX = 0;             // print page placement
    int offsetY = 0;
    // hPa over the last three hours, drawn beside the pressure caption
    // (shownPressureChange decides); nothing draws no tendency.
    std::optional<double> pressureChangeHpa = std::nullopt;
};

void instrumentWindD(InstrumentContext& c);
void instrumentWindS(InstrumentContext& c);
void instrumentTemp(InstrumentContext& c);
void instrumentHumid(InstrumentContext& c);
void instrumentPres(InstrumentContext& c);

// The pressure change the pressure dial shows: only beside a present
// pressure of the station's own data, from the report's tendency line or
// the trend table.
std::optional<double> shownPressureChange(const Observation& obs, bool dataValid, std::string_view presentText,
                                          const TrendSeries& trend);

// The scale numbers of a dial, number 1 at the maximum.
std::vector<std::string> scaleNumbers(double maximum, double minimum, int count);

// Face file names in the program's Faces folder.
inline constexpr const char* kFaceHumidity = "ScaleHumidity.bmp";
inline constexpr const char* kFacePressureH = "ScalePressureH.bmp";
inline constexpr const char* kFacePressureI = "ScalePressureI.bmp";
inline constexpr const char* kFaceTemperatureC = "ScaleTemperatureC.bmp";
inline constexpr const char* kFaceTemperatureF = "ScaleTemperatureF.bmp";
inline constexpr const char* kFaceWindDirection = "ScaleWindDirection.bmp";
inline constexpr const char* kFaceWindSpeedK = "ScaleWindSpeedK.bmp";
inline constexpr const char* kFaceWindSpeedM = "ScaleWindSpeedM.bmp";

} // namespace ventoral
